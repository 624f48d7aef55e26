#include "platform/linux.h"
#include "tests/doubles/files.h"

#include <QSettings>
#include <gtest/gtest.h>

namespace {

QString ini_path(const QString& app)
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, app).fileName();
}

TEST(PlatformSettings, ValuesComeBackExactlyInTheNextRunMissingOnesAsTheDefault)
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
    // One INI file for each application, a section for each group.
    EXPECT_TRUE(ini_path(app).endsWith("/" + app + ".ini"));
    EXPECT_TRUE(read_file(ini_path(app)).contains("[parsys]"));
    auto next_run = plat::make_settings();
    for (const auto& [key, value] : values)
        EXPECT_EQ(next_run->get(app, "parsys", key, "default"), value) << key.toStdString();
    EXPECT_EQ(next_run->get(app, "parsys", "other", "0"), "0");
    EXPECT_EQ(next_run->get(app, "TOVAREN", "cox_serv", "x"), "x");
    EXPECT_EQ(next_run->get("tovaren_settings_two", "parsys", "cox_serv", "none"), "none");
    EXPECT_FALSE(QFile::exists(ini_path("tovaren_settings_two")));

    // A list edited by hand comes back as one text.
    ASSERT_TRUE(write_file(ini_path("tovaren_settings_edited"), "[parsys]\nord_lot=3,1,2\nsys_zord=7\n"));
    EXPECT_EQ(next_run->get("tovaren_settings_edited", "parsys", "ord_lot"), "3,1,2");
    EXPECT_EQ(next_run->get("tovaren_settings_edited", "parsys", "sys_zord"), "7");
}

} // namespace
