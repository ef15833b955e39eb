#include <platform/BinaryArchive.h>

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

using platform::ArchiveError;
using platform::BinaryArchive;
using Bytes = std::vector<std::uint8_t>;

namespace {

Bytes store(const std::function<void(BinaryArchive&)>& writer)
{
    std::ostringstream out;
    {
        auto ar = BinaryArchive::storing(out, "test.bin");
        writer(ar);
        ar.flush();
    }
    const std::string s = out.str();
    return Bytes(s.begin(), s.end());
}

BinaryArchive load(Bytes bytes)
{
    return BinaryArchive::loading(std::move(bytes), "test.bin");
}

Bytes textHeader(std::initializer_list<std::uint8_t> length)
{
    Bytes b { 0xFF, 0xFE, 0xFF };
    for (std::uint8_t x : length)
        b.push_back(x);
    return b;
}

ArchiveError::Cause causeOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const ArchiveError& e) {
        return e.cause();
    }
    return ArchiveError::None;
}

} // namespace

TEST(BinaryArchive, IntegersOfEveryWidthAreLittleEndian)
{
    const Bytes bytes = store([](BinaryArchive& ar) {
        ar.write<std::int8_t>(-2);
        ar.write<std::uint8_t>(0xAB);
        ar.write<std::int16_t>(-2);
        ar.write<std::uint16_t>(0x1234);
        ar.write<std::int32_t>(-2);
        ar.write<std::uint32_t>(0x12345678u);
        ar.write<std::int64_t>(-2);
        ar.write<std::uint64_t>(0x0102030405060708ull);
    });
    const Bytes expected { 0xFE, 0xAB, 0xFE, 0xFF, 0x34, 0x12, 0xFE, 0xFF, 0xFF, 0xFF, 0x78, 0x56, 0x34, 0x12,
        0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x08, 0x07, 0x06, 0x05, 0x04, 0x03, 0x02, 0x01 };
    EXPECT_EQ(bytes, expected);

    auto ar = load(bytes);
    EXPECT_EQ(ar.read<std::int8_t>(), -2);
    EXPECT_EQ(ar.read<std::uint8_t>(), 0xAB);
    EXPECT_EQ(ar.read<std::int16_t>(), -2);
    EXPECT_EQ(ar.read<std::uint16_t>(), 0x1234);
    EXPECT_EQ(ar.read<std::int32_t>(), -2);
    EXPECT_EQ(ar.read<std::uint32_t>(), 0x12345678u);
    EXPECT_EQ(ar.read<std::int64_t>(), -2);
    EXPECT_EQ(ar.read<std::uint64_t>(), 0x0102030405060708ull);
    EXPECT_EQ(ar.bytesLeft(), 0u);
}

TEST(BinaryArchive, RealsRoundTripBitExact)
{
    const Bytes bytes = store([](BinaryArchive& ar) {
        ar.writeDouble(1.5);
        ar.writeFloat(-0.25f);
    });
    EXPECT_EQ(bytes, (Bytes { 0, 0, 0, 0, 0, 0, 0xF8, 0x3F, 0x00, 0x00, 0x80, 0xBE }));
    auto ar = load(bytes);
    EXPECT_EQ(ar.readDouble(), 1.5);
    EXPECT_EQ(ar.readFloat(), -0.25f);
}

TEST(BinaryArchive, BoolIsOneByteAndAnyNonZeroReadsTrue)
{
    EXPECT_EQ(store([](BinaryArchive& ar) {
        ar.writeBool(true);
        ar.writeBool(false);
    }),
        (Bytes { 1, 0 }));
    auto ar = load({ 2, 0, 0xFF });
    EXPECT_TRUE(ar.readBool());
    EXPECT_FALSE(ar.readBool());
    EXPECT_TRUE(ar.readBool());
}

TEST(BinaryArchive, TextLengthForms)
{
    struct Case
    {
        std::size_t length;
        Bytes header;
    };
    const Case cases[] = {
        { 0, textHeader({ 0 }) },
        { 254, textHeader({ 0xFE }) },
        { 255, textHeader({ 0xFF, 0xFF, 0x00 }) },
        { 0xFFFD, textHeader({ 0xFF, 0xFD, 0xFF }) },
        { 0xFFFE, textHeader({ 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00 }) },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        std::u16string text(c.length, u'x');
        if (!text.empty())
            text[0] = u'\u20AC';
        const Bytes bytes = store([&](BinaryArchive& ar) { ar.writeText(text); });
        ASSERT_EQ(bytes.size(), c.header.size() + 2 * c.length);
        EXPECT_TRUE(std::equal(c.header.begin(), c.header.end(), bytes.begin()));
        if (c.length) {
            EXPECT_EQ(bytes[c.header.size()], 0xAC);
            EXPECT_EQ(bytes[c.header.size() + 1], 0x20);
        }
        auto ar = load(bytes);
        EXPECT_EQ(ar.readText(), text);
        EXPECT_EQ(ar.bytesLeft(), 0u);
    }
}

TEST(BinaryArchive, ReadsOldSingleByteText)
{
    struct Case
    {
        Bytes bytes;
        std::u16string text;
    };
    const Case cases[] = {
        { { 3, 'a', 'b', 0x80 }, u"ab\u20AC" },
        { { 0 }, u"" },
        { { 2, 0xE9, 0x9F }, u"\u00E9\u0178" },
        // 0xFF, 0xFFFF and a 32-bit length
        { { 0xFF, 0xFF, 0xFF, 3, 0, 0, 0, 'a', 'b', 'c' }, u"abc" },
    };
    for (const Case& c : cases) {
        auto ar = load(c.bytes);
        EXPECT_EQ(ar.readText(), c.text);
    }
    // 300 single-byte characters: 0xFF and a 16-bit length, no marker.
    Bytes longForm { 0xFF, 0x2C, 0x01 };
    longForm.insert(longForm.end(), 300, 'q');
    auto ar = load(longForm);
    EXPECT_EQ(ar.readText(), std::u16string(300, u'q'));
}

TEST(BinaryArchive, CurrencyIsStatusThenHighThenLow)
{
    const platform::Currency value(-12345678901234LL);
    const Bytes bytes = store([&](BinaryArchive& ar) { ar.writeCurrency(value); });
    const auto u = static_cast<std::uint64_t>(value.count());
    Bytes expected { 0, 0, 0, 0 };
    for (int shift : { 32, 40, 48, 56, 0, 8, 16, 24 })
        expected.push_back(static_cast<std::uint8_t>(u >> shift));
    EXPECT_EQ(bytes, expected);
    auto ar = load(bytes);
    EXPECT_EQ(ar.readCurrency(), value);
}

TEST(BinaryArchive, DamagedInputRaisesEndOfFileWithoutAllocating)
{
    struct Case
    {
        const char* name;
        Bytes bytes;
        std::function<void(BinaryArchive&)> read;
    };
    const Case cases[] = {
        { "short int", { 1, 2, 3 }, [](BinaryArchive& ar) { ar.read<std::uint32_t>(); } },
        { "empty bool", {}, [](BinaryArchive& ar) { ar.readBool(); } },
        { "text cut", { 0xFF, 0xFE, 0xFF, 3, 'a', 0 }, [](BinaryArchive& ar) { ar.readText(); } },
        { "huge text count", { 0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F },
            [](BinaryArchive& ar) { ar.readText(); } },
        { "old text cut", { 5, 'a' }, [](BinaryArchive& ar) { ar.readText(); } },
        { "class name cut", { 0xFF, 0xFF, 1, 0, 0xFF, 0xFF }, [](BinaryArchive& ar) { ar.readObjectRef(); } },
        { "requireBytes overflow", { 1, 2 }, [](BinaryArchive& ar) { ar.requireBytes(1ull << 62, 8); } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto ar = load(c.bytes);
        EXPECT_EQ(causeOf([&] { c.read(ar); }), ArchiveError::EndOfFile);
    }
}

TEST(BinaryArchive, ModeMismatchAndErrorCarriesFileName)
{
    auto loading = load({ 1 });
    EXPECT_EQ(causeOf([&] { loading.write<std::int32_t>(1); }), ArchiveError::ReadOnly);
    EXPECT_EQ(causeOf([&] { loading.writeText(u"x"); }), ArchiveError::ReadOnly);
    std::ostringstream out;
    auto storing = BinaryArchive::storing(out, "a/b.kwxe");
    EXPECT_EQ(causeOf([&] { storing.readBool(); }), ArchiveError::WriteOnly);
    try {
        storing.readText();
        FAIL();
    } catch (const ArchiveError& e) {
        EXPECT_EQ(e.fileName(), "a/b.kwxe");
    }
}

TEST(BinaryArchive, ObjectSchemaStartsAllOnes)
{
    auto ar = load({});
    EXPECT_EQ(ar.objectSchema(), 0xFFFFFFFFu);
}

TEST(BinaryArchive, ObjectTagsShareOneNumbering)
{
    int a = 0, b = 0, c = 0;
    const Bytes bytes = store([&](BinaryArchive& ar) {
        EXPECT_FALSE(ar.writeObjectRef(nullptr, "CScheme", 1)); // 0
        EXPECT_TRUE(ar.writeObjectRef(&a, "CScheme", 3)); // class 1, object 2
        EXPECT_TRUE(ar.writeObjectRef(&b, "CScheme", 3)); // object 3 of class 1
        EXPECT_FALSE(ar.writeObjectRef(&a, "CScheme", 3)); // object 2 again
        EXPECT_TRUE(ar.writeObjectRef(&c, "COther", 1)); // class 4, object 5
        EXPECT_FALSE(ar.writeObjectRef(&c, "COther", 1));
    });
    const Bytes expected { 0, 0, 0xFF, 0xFF, 3, 0, 7, 0, 'C', 'S', 'c', 'h', 'e', 'm', 'e', 0x01, 0x80, 0x02,
        0x00, 0xFF, 0xFF, 1, 0, 6, 0, 'C', 'O', 't', 'h', 'e', 'r', 0x05, 0x00 };
    EXPECT_EQ(bytes, expected);

    auto ar = load(bytes);
    using Ref = BinaryArchive::ObjectRef;
    EXPECT_EQ(ar.readObjectRef().kind, Ref::Null);
    auto first = ar.readObjectRef();
    ASSERT_EQ(first.kind, Ref::New);
    EXPECT_EQ(first.className, "CScheme");
    EXPECT_EQ(first.schema, 3);
    auto objA = std::make_shared<int>(7);
    ar.registerLoadedObject(first.index, objA);
    auto second = ar.readObjectRef();
    ASSERT_EQ(second.kind, Ref::New);
    EXPECT_EQ(second.schema, 3);
    ar.registerLoadedObject(second.index, std::make_shared<int>(8));
    auto again = ar.readObjectRef();
    ASSERT_EQ(again.kind, Ref::Existing);
    EXPECT_EQ(again.object, objA);
    auto other = ar.readObjectRef();
    ASSERT_EQ(other.kind, Ref::New);
    EXPECT_EQ(other.className, "COther");
    ar.registerLoadedObject(other.index, std::make_shared<int>(9));
    EXPECT_EQ(ar.readObjectRef().kind, Ref::Existing);
}

TEST(BinaryArchive, BadObjectReferencesAreRefused)
{
    struct Case
    {
        Bytes bytes;
        ArchiveError::Cause cause;
    };
    const Case cases[] = {
        { { 0x01, 0x00 }, ArchiveError::BadIndex }, // object 1 never read
        { { 0x05, 0x80 }, ArchiveError::BadIndex }, // class 5 never read
        { { 0xFF, 0x7F, 9, 0, 0, 0 }, ArchiveError::BadIndex },
        { { 0xFF, 0xFF, 1, 0, 1, 0, 'C', 0x01, 0x00 }, ArchiveError::BadIndex }, // a class is no object
    };
    for (const Case& c : cases) {
        auto ar = load(c.bytes);
        EXPECT_EQ(causeOf([&] {
            for (;;) {
                auto ref = ar.readObjectRef();
                if (ref.kind == BinaryArchive::ObjectRef::New)
                    continue; // left unregistered: a reference back to it is refused too
            }
        }),
            c.cause);
    }
}

TEST(BinaryArchive, BigObjectNumbersUseTheLongTag)
{
    std::vector<int> objects(0x7FFF);
    const Bytes bytes = store([&](BinaryArchive& ar) {
        for (int& o : objects)
            ar.writeObjectRef(&o, "C", 1); // class 1, objects 2..0x8000
        ar.writeObjectRef(&objects.back(), "C", 1);
    });
    const Bytes tail(bytes.end() - 6, bytes.end());
    EXPECT_EQ(tail, (Bytes { 0xFF, 0x7F, 0x00, 0x80, 0x00, 0x00 }));

    auto ar = load(bytes);
    for (std::size_t i = 0; i < objects.size(); ++i) {
        auto ref = ar.readObjectRef();
        ASSERT_EQ(ref.kind, BinaryArchive::ObjectRef::New);
        ar.registerLoadedObject(ref.index, std::make_shared<std::size_t>(i));
    }
    auto last = ar.readObjectRef();
    ASSERT_EQ(last.kind, BinaryArchive::ObjectRef::Existing);
    EXPECT_EQ(*std::static_pointer_cast<std::size_t>(last.object), objects.size() - 1);
}

TEST(BinaryArchive, StreamsInAndReportsWriteFailure)
{
    std::istringstream in(std::string("\x05\x00\x00\x00", 4));
    auto ar = BinaryArchive::loading(in, "in.bin");
    EXPECT_EQ(ar.read<std::int32_t>(), 5);

    std::ostringstream out;
    out.setstate(std::ios::badbit);
    auto storing = BinaryArchive::storing(out, "full.bin");
    storing.write<std::int32_t>(1);
    EXPECT_EQ(causeOf([&] { storing.flush(); }), ArchiveError::Generic);
}
