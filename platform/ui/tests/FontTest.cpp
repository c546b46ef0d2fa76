// Windows faces on the fonts this machine has. The build runs these tests again under each font
// set of data/fonts (FONTCONFIG_FILE): DejaVu alone; with the URW fonts, where fontconfig answers
// "Courier New" with a metric substitute; and with Liberation and Noto besides.
#include "platform/ui/Font.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QFontInfo>

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace
{
enum class Kind
{
    Sans,
    Mono,
    Serif
};

QString WithoutFoundry(const QString& family)
{
    const int bracket = family.indexOf(QLatin1String(" ["));
    return bracket > 0 ? family.left(bracket) : family;
}

// A font of that very family is installed: an alias fontconfig resolves does not count, nor do
// the names the font database lists for fontconfig's kinds ("Sans Serif").
bool IsInstalled(const QString& face)
{
    for (const QString& listed : QFontDatabase::families())
        if (WithoutFoundry(listed).compare(face, Qt::CaseInsensitive) == 0)
            return WithoutFoundry(QFontInfo(QFont(listed)).family()).compare(face, Qt::CaseInsensitive) == 0;
    return false;
}

std::string Text(const QString& s)
{
    return s.toStdString();
}
} // namespace

TEST(Font, TheTestsFontSetIsInForce)
{
    // Under a set of data/fonts exactly its packages; otherwise the machine's own fonts, which
    // hold every package scripts/setup.sh installs.
    const QString set = QFileInfo(QString::fromLocal8Bit(qgetenv("FONTCONFIG_FILE"))).completeBaseName();
    const bool urw = set != QLatin1String("dejavu");
    const bool noto = set.isEmpty() || set == QLatin1String("noto");
    EXPECT_TRUE(IsInstalled("DejaVu Sans Mono"));
    EXPECT_EQ(IsInstalled("Nimbus Mono PS"), urw) << Text(set);
    EXPECT_EQ(IsInstalled("Liberation Mono"), noto) << Text(set);
    EXPECT_EQ(IsInstalled("Noto Sans"), noto) << Text(set);
}

TEST(Font, MissingWindowsFacesMapToOneInstalledFamilyOfTheirKind)
{
    struct Case
    {
        const char* face;
        BYTE pitchAndFamily;
        Kind kind;
    };
    // Known faces go by their name, whatever bits come with them; unknown ones by the bits.
    const Case cases[] = {
        {"Arial", 0, Kind::Sans},
        {"MS Sans Serif", VARIABLE_PITCH | FF_SWISS, Kind::Sans},
        {"Tahoma", 0, Kind::Sans},
        {"Segoe UI", 0, Kind::Sans},
        {"verdana", 0, Kind::Sans},
        {"Courier New", 0, Kind::Mono},
        {"Courier", VARIABLE_PITCH | FF_SWISS, Kind::Mono},
        {"Terminal", 0, Kind::Mono},
        {"Times New Roman", 0, Kind::Serif},
        {"MS Serif", 0, Kind::Serif},
        // What a Qt font carries, its default one first.
        {"Sans Serif", VARIABLE_PITCH | FF_SWISS, Kind::Sans},
        {"Monospace", VARIABLE_PITCH | FF_SWISS, Kind::Mono},
        {"Serif", 0, Kind::Serif},
        {"No Such Face", FIXED_PITCH | FF_MODERN, Kind::Mono},
        {"No Such Face", FIXED_PITCH, Kind::Mono},
        {"No Such Face", FF_ROMAN, Kind::Serif},
        {"No Such Face", VARIABLE_PITCH | FF_SWISS, Kind::Sans},
    };
    std::map<Kind, QString> byKind;
    for (const Case& k : cases)
    {
        const QString family = InstalledFontFamily(k.face, k.pitchAndFamily);
        if (IsInstalled(k.face))
        {
            // A machine that has the Windows face itself.
            EXPECT_EQ(Text(family.toLower()), Text(QString(k.face).toLower()));
            continue;
        }
        // Really installed, and drawn by that family rather than by a stand-in of fontconfig's.
        EXPECT_TRUE(IsInstalled(family)) << k.face << " -> " << Text(family);
        const QFont font(family);
        const QFontInfo info(font);
        EXPECT_EQ(Text(WithoutFoundry(info.family())), Text(family)) << k.face;
        // Fixed pitch exactly for the monospaced kind, by the font's flag and by its glyphs.
        EXPECT_EQ(info.fixedPitch(), k.kind == Kind::Mono) << k.face << " -> " << Text(family);
        EXPECT_EQ(HasFixedPitch(font), k.kind == Kind::Mono) << k.face << " -> " << Text(family);
        // Every missing face of one kind draws with one family.
        const auto entry = byKind.emplace(k.kind, family).first;
        EXPECT_EQ(Text(entry->second), Text(family)) << k.face;
    }
    EXPECT_NE(byKind[Kind::Sans], byKind[Kind::Mono]);
    EXPECT_NE(byKind[Kind::Sans], byKind[Kind::Serif]);
    EXPECT_NE(byKind[Kind::Serif], byKind[Kind::Mono]);
}

TEST(Font, InstalledFacesKeepTheirNameWhateverTheBits)
{
    // Spelt as installed, and not swapped for the kind the bits ask for.
    EXPECT_EQ(Text(InstalledFontFamily("dejavu sans mono", VARIABLE_PITCH | FF_SWISS)), "DejaVu Sans Mono");
    EXPECT_EQ(Text(InstalledFontFamily(" DejaVu Serif ", FIXED_PITCH | FF_MODERN)), "DejaVu Serif");
}

TEST(Font, SymbolFacesTakeASymbolFontWhenThereIsOne)
{
    const bool anySymbolFont = !QFontDatabase::families(QFontDatabase::Symbol).isEmpty();
    const QString sans = InstalledFontFamily("No Such Face", VARIABLE_PITCH | FF_SWISS);
    for (const char* face : {"Symbol", "Wingdings", "Marlett"})
    {
        if (IsInstalled(face))
            continue;
        const QString family = InstalledFontFamily(face, 0);
        ASSERT_TRUE(IsInstalled(family)) << face << " -> " << Text(family);
        if (anySymbolFont)
            EXPECT_TRUE(QFontDatabase::writingSystems(family).contains(QFontDatabase::Symbol))
                << face << " -> " << Text(family);
        else
            EXPECT_EQ(Text(family), Text(sans)) << face;
    }
}

TEST(Font, BadFaceNamesGiveTheDefaultFamilyOfTheirKind)
{
    // Longer than a LOGFONT holds: names nothing, even when it starts with an installed face.
    const std::string tooLong(LF_FACESIZE + 8, 'x');
    const std::string paddedFace = "DejaVu Sans Mono" + std::string(LF_FACESIZE, ' ');
    const char* const badFaces[] = {nullptr,       "", "   ", tooLong.c_str(), paddedFace.c_str(), "\x01\x7f",
                                    "No Such Face"};
    for (BYTE bits : {BYTE(VARIABLE_PITCH | FF_SWISS), BYTE(FIXED_PITCH | FF_MODERN), BYTE(FF_ROMAN)})
    {
        const QString expected = InstalledFontFamily("Another Missing Face", bits);
        ASSERT_TRUE(IsInstalled(expected)) << Text(expected);
        EXPECT_EQ(HasFixedPitch(QFont(expected)), bits == (FIXED_PITCH | FF_MODERN)) << Text(expected);
        for (const char* face : badFaces)
            EXPECT_EQ(Text(InstalledFontFamily(face, bits)), Text(expected))
                << (face ? face : "(null)") << " bits " << int(bits);
    }
}
