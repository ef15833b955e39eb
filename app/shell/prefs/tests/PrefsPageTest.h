#pragma once

#include "foundation/GeneralSettings.h"
#include "foundation/ResourceBase.h"
#include "foundation/TCPResource.h"
#include "foundation/UIStringTable.h"
#include "foundation/CUserPrefs.h"
#include "shell/controls/ControlsStrings.h"
#include "shell/prefs/PrefsStrings.h"

#include <QComboBox>
#include <QImage>
#include <QLocale>
#include <QSet>
#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

// The string service with the pages' texts, an English locale, a record to
// edit and the pages' messages captured.
class PrefsPageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(temp.isValid());
        InitUIStrings(temp.path(), { FoundationStringResources(), ControlsStringResources(), PrefsStringResources() });
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        SetPrefsMessageHook([this](const QString& text) { messages.append(text); });
    }
    void TearDown() override
    {
        SetPrefsMessageHook(nullptr);
        QLocale::setDefault(QLocale::c());
        InstallResources(nullptr);
    }

    // The page's picture has more than its background: its controls are drawn.
    static int ColourCount(QWidget& page)
    {
        page.resize(520, 420);
        const QImage picture = page.grab().toImage();
        QSet<QRgb> colours;
        for (int y = 0; y < picture.height(); y += 3)
            for (int x = 0; x < picture.width(); x += 3)
                colours.insert(picture.pixel(x, y));
        return colours.size();
    }

    static QStringList Entries(const QComboBox* list)
    {
        QStringList entries;
        for (int i = 0; i < list->count(); ++i)
            entries.append(list->itemText(i));
        return entries;
    }

    QTemporaryDir temp;
    GeneralSettings record;
    QStringList messages;
};
