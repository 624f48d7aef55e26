#include "platform/linux.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <gtest/gtest.h>

namespace {

QString ini_path(const QString& app)
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, app).fileName();
}

TEST(PlatformSettings, ValuesComeBackExactlyInTheNextRunAndHandEditedListsAsOneText)
{
    const QString app = "tovaren_settings_roundtrip";
    const QList<QPair<QString, QString>> values = {
        {"cox_serv", "10.0.0.7"}, {"lista", "uno,dos,tres"},   {"quotient", "1,5"},
        {"blanks", "  dos blancos  "}, {"empty", ""}, {"accents", QString::fromUtf8("Añejo ñandú")},
        {"punctuation", "a=b;c\"d\\e"},
    };
    {
        auto settings = plat::make_settings();
        for (const auto& [key, value] : values)
            settings->save(app, "parsys", key, value);
        settings->sync();
    }
    EXPECT_EQ(QFileInfo(ini_path(app)).fileName(), app + ".ini");
    QFile file(ini_path(app));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("[parsys]"));
    auto next_run = plat::make_settings();
    for (const auto& [key, value] : values)
        EXPECT_EQ(next_run->get(app, "parsys", key, "default"), value) << key.toStdString();

    QFile edited(ini_path("tovaren_settings_edited"));
    ASSERT_TRUE(edited.open(QIODevice::WriteOnly));
    edited.write("[parsys]\nord_lot=3,1,2\nsys_zord=7\n");
    edited.close();
    EXPECT_EQ(next_run->get("tovaren_settings_edited", "parsys", "ord_lot"), "3,1,2");
    EXPECT_EQ(next_run->get("tovaren_settings_edited", "parsys", "sys_zord"), "7");
}

TEST(PlatformSettings, MissingKeysGiveTheDefaultAndApplicationsAreSeparate)
{
    auto settings = plat::make_settings();
    settings->save("tovaren_settings_one", "TOVAREN", "version", "3.8.2.4");
    settings->sync();
    EXPECT_EQ(settings->get("tovaren_settings_one", "TOVAREN", "version"), "3.8.2.4");
    EXPECT_EQ(settings->get("tovaren_settings_one", "TOVAREN", "other", "0"), "0");
    EXPECT_EQ(settings->get("tovaren_settings_one", "parsys", "version", "x"), "x");
    EXPECT_EQ(settings->get("tovaren_settings_two", "TOVAREN", "version", "none"), "none");
    EXPECT_FALSE(QFile::exists(ini_path("tovaren_settings_two")));
}

} // namespace
