#include "foundation/FileNames.h"

#include <QDir>
#include <QFile>
#include <QUrl>

#include <gtest/gtest.h>


namespace {

TEST(FileNamesTest, EveryNameTurnsBackIntoItsOwnBytes)
{
    const struct
    {
        const char* name;
        QByteArray bytes;
        QString text; // empty: not checked, only the way back
    } cases[] = {
        { "plain", QByteArrayLiteral("/home/ann/Bench.kwxe"), QStringLiteral("/home/ann/Bench.kwxe") },
        { "UTF-8", QByteArrayLiteral("/home/ann/caf\xc3\xa9/\xf0\x9f\xaa\x9a.kwxe"),
          QString::fromUtf8("/home/ann/caf\xc3\xa9/\xf0\x9f\xaa\x9a.kwxe") },
        { "a Latin-1 folder", QByteArrayLiteral("/home/ann/caf\xe9/Bench.kwxe"),
          QStringLiteral("/home/ann/caf") + QChar(0xDCE9) + QStringLiteral("/Bench.kwxe") },
        { "a cut-off sequence at the end", QByteArrayLiteral("a\xe2\x82"), QString() },
        { "an overlong slash", QByteArrayLiteral("a\xc0\xaf" "b"), QString() },
        { "an encoded surrogate", QByteArrayLiteral("\xed\xb3\xa9"), QString() },
        { "beyond the last character", QByteArrayLiteral("\xf4\x90\x80\x80"), QString() },
        { "bytes that never start a character", QByteArrayLiteral("\x80\xbf\xfe\xff"), QString() },
        { "a valid character after a stray byte", QByteArrayLiteral("\xe9\xf0\x9f\xaa\x9a\xe9"), QString() },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString text = DecodeFileName(c.bytes);
        EXPECT_EQ(EncodeFileName(text), c.bytes);
        if (!c.text.isEmpty()) {
            EXPECT_EQ(text, c.text);
        }
        // Qt's own decoding loses what the name was, except for UTF-8.
        EXPECT_EQ(QFile::encodeName(QFile::decodeName(c.bytes)) == c.bytes, text == QString::fromUtf8(c.bytes));
    }
}

TEST(FileNamesTest, ArgumentsAndDroppedLinksKeepTheBytesOfTheirNames)
{
    const QByteArray latin1 = QByteArrayLiteral("/tmp/caf\xe9/Bench.kwxe");
    const char* argv[] = { "KWLSolo", latin1.constData(), "-p" };
    const QStringList arguments = DecodeArguments(3, argv);
    ASSERT_EQ(arguments.size(), 2);
    EXPECT_EQ(EncodeFileName(arguments[0]), latin1);
    EXPECT_EQ(arguments[1], QStringLiteral("-p"));

    EXPECT_EQ(EncodeFileName(LocalFileOfUrl(QUrl::fromEncoded("file:///tmp/caf%E9/Bench.kwxe"))), latin1);
    EXPECT_EQ(LocalFileOfUrl(QUrl::fromEncoded("file:///tmp/a%20b/caf%C3%A9.kwxe")),
              QString::fromUtf8("/tmp/a b/caf\xc3\xa9.kwxe"));
    EXPECT_TRUE(LocalFileOfUrl(QUrl(QStringLiteral("https://example.com/Bench.kwxe"))).isEmpty());

    // A name given relative to the current folder, as a second start hands
    // it over.
    const QByteArray here = QDir::currentPath().toUtf8();
    EXPECT_EQ(EncodeFileName(AbsoluteFileName(DecodeFileName("caf\xe9/Bench.kwxe"))), here + "/caf\xe9/Bench.kwxe");
    EXPECT_EQ(EncodeFileName(AbsoluteFileName(arguments[0])), latin1);
}

TEST(FileNamesTest, ShownNamesEscapeWhatWouldBreakOrHideInATitleAndKeepTheRest)
{
    const struct
    {
        const char* name;
        QByteArray bytes; // the name as the system has it
        const char* shown; // UTF-8
    } cases[] = {
        { "plain", QByteArrayLiteral("/home/ann/Bench.kwxe"), "/home/ann/Bench.kwxe" },
        { "a line feed", QByteArrayLiteral("/tmp/Bench\nTop.kwxe"), "/tmp/Bench\\nTop.kwxe" },
        { "a carriage return and a tab", QByteArrayLiteral("a\rb\tc"), "a\\rb\\tc" },
        { "a bell, an escape and a delete", QByteArrayLiteral("a\x07z\x1bq\x7fw"), "a\\x07z\\x1bq\\x7fw" },
        { "a Latin-1 folder", QByteArrayLiteral("/home/ann/caf\xe9/Bench.kwxe"),
            "/home/ann/caf\\xe9/Bench.kwxe" },
        { "stray bytes", QByteArrayLiteral("\x80\xff"), "\\x80\\xff" },
        { "a control character beyond ASCII", QByteArrayLiteral("a\xc2\x85z"), "a\\u0085z" },
        { "a line separator", QByteArrayLiteral("a\xe2\x80\xa8z"), "a\\u2028z" },
        { "a right-to-left override", QByteArrayLiteral("Kitchen\xe2\x80\xae" "BOM.kwxe"), "Kitchen\\u202eBOM.kwxe" },
        { "zero-width and bidirectional marks", QByteArrayLiteral("a\xe2\x80\x8b" "b\xe2\x80\x8f" "c\xe2\x81\xa6" "d\xe2\x81\xa9" "e"),
            "a\\u200bb\\u200fc\\u2066d\\u2069e" },
        { "a byte-order mark and a word joiner", QByteArrayLiteral("\xef\xbb\xbfx\xe2\x81\xa0y"), "\\ufeffx\\u2060y" },
        { "a soft hyphen (the bytes C2 AD)", QByteArrayLiteral("Shelf\xc2\xad" "Top"), "Shelf\\u00adTop" },
        { "Arabic number signs", QByteArrayLiteral("a\xd8\x80" "b\xd8\x85" "c"), "a\\u0600b\\u0605c" },
        { "the Arabic end of ayah", QByteArrayLiteral("a\xdb\x9d" "b"), "a\\u06ddb" },
        { "the Syriac abbreviation mark", QByteArrayLiteral("a\xdc\x8f" "b"), "a\\u070fb" },
        { "Arabic pound and piastre marks above", QByteArrayLiteral("a\xe0\xa2\x90" "b\xe0\xa2\x91" "c"),
            "a\\u0890b\\u0891c" },
        { "the Arabic disputed end of ayah", QByteArrayLiteral("a\xe0\xa3\xa2" "b"), "a\\u08e2b" },
        { "the Mongolian vowel separator", QByteArrayLiteral("a\xe1\xa0\x8e" "b"), "a\\u180eb" },
        { "deprecated format characters", QByteArrayLiteral("a\xe2\x81\xaa" "b\xe2\x81\xaf" "c"),
            "a\\u206ab\\u206fc" },
        { "interlinear annotation characters", QByteArrayLiteral("a\xef\xbf\xb9" "b\xef\xbf\xbb" "c"),
            "a\\ufff9b\\ufffbc" },
        { "tag characters past the first plane",
            QByteArrayLiteral("Bench\xf3\xa0\x80\x81\xf3\xa0\x80\xa0\xf3\xa0\x81\xbf.kwxe"),
            "Bench\\U000e0001\\U000e0020\\U000e007f.kwxe" },
        { "format characters of other planes", QByteArrayLiteral("a\xf0\x91\x82\xbd" "b\xf0\x9d\x85\xb3" "c"),
            "a\\U000110bdb\\U0001d173c" },
        { "letters, spaces and symbols beyond ASCII",
            QByteArrayLiteral("/home/ann/caf\xc3\xa9 & \xf0\x9f\xaa\x9a\\x.kwxe"),
            "/home/ann/caf\xc3\xa9 & \xf0\x9f\xaa\x9a\\x.kwxe" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString name = DecodeFileName(c.bytes);
        EXPECT_EQ(DisplayFileName(name).toStdString(), std::string(c.shown));
        // The name itself is not touched.
        EXPECT_EQ(EncodeFileName(name), c.bytes);
    }
}

} // namespace
