#include "foundation/AngleFormat.h"

#include "foundation/ConfigFile.h"
#include "foundation/TextFunctions.h"
#include "platform/core/File.h"

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace
{
const double kHalfPi = 1.57079632679489661923;

const char kAngleSettings[] = "Angle Settings";
const char kGeographicalsSettings[] = "Geographicals Settings";
const int kDefaultFormat = ANGLE_FORMAT_DM;
const int kDefaultDecimals = 7;

bool IsSignedType(int type)
{
    return type == ANGLE_SIGNED || type == ANGLE_SIGNED_2DP || type == ANGLE_SIGNED_RIGHT ||
           type == ANGLE_SIGNED_RIGHT_2DP;
}

bool HasQuadrantLetter(int type)
{
    return type == ANGLE_LATITUDE || type == ANGLE_LONGITUDE;
}

// Largest whole degrees (or gradians) an angle of the type shows.
int LargestDegrees(int type, bool gradians)
{
    switch (type)
    {
    case ANGLE_FULL_CIRCLE:
    case ANGLE_FULL_CIRCLE_2DP:
        return gradians ? 399 : 359;
    case ANGLE_SIGNED_RIGHT:
    case ANGLE_SIGNED_RIGHT_2DP:
    case ANGLE_LATITUDE:
        return gradians ? 99 : 89;
    default:
        return gradians ? 199 : 179;
    }
}

// Width of the zero-padded whole-degree field. In the signed decimal notation a latitude and a
// longitude keep one place more than their digits, which the sign takes.
int DegreeWidth(int type, int format)
{
    switch (type)
    {
    case ANGLE_SIGNED_RIGHT:
    case ANGLE_SIGNED_RIGHT_2DP:
    case ANGLE_SIGNED_2DP:
        return format == ANGLE_FORMAT_GRADIANS ? 3 : 2;
    case ANGLE_LATITUDE:
        return format == ANGLE_FORMAT_SIGNED || format == ANGLE_FORMAT_GRADIANS ? 3 : 2;
    case ANGLE_LONGITUDE:
        return format == ANGLE_FORMAT_SIGNED ? 4 : 3;
    default:
        return 3;
    }
}

int MaskDegreeWidth(int type, int format)
{
    if (type == ANGLE_SIGNED_RIGHT || type == ANGLE_LATITUDE || type == ANGLE_SIGNED_RIGHT_2DP)
        return format == ANGLE_FORMAT_GRADIANS ? 3 : 2;
    return 3;
}

int ClampDecimals(int decimals)
{
    return decimals < 0 ? 0 : (decimals > 32 ? 32 : decimals);
}

// Whether `value` prints as `limit` or more with `decimals` places: the carry must follow the
// printed digits, not the value, or 59.996 seconds would show as 60.00.
bool PrintsAtLeast(double value, int decimals, double limit)
{
    char text[64];
    std::snprintf(text, sizeof(text), "%.*f", ClampDecimals(decimals), value);
    return AtofC(text) >= limit;
}

char NormaliseLetter(char letter, int type)
{
    const char upper = letter >= 'a' && letter <= 'z' ? static_cast<char>(letter - 'a' + 'A') : letter;
    if (type == ANGLE_LATITUDE)
        return upper == 'N' || upper == 'S' ? upper : 'N';
    return upper == 'E' || upper == 'W' ? upper : 'E';
}

// The letter of a latitude or longitude: the hemisphere of a non-zero angle, the default for 0.
CString QuadrantText(int type, double radians, char defaultLetter)
{
    if (!HasQuadrantLetter(type))
        return CString();
    char letter = NormaliseLetter(defaultLetter, type);
    if (radians < 0.0)
        letter = type == ANGLE_LATITUDE ? 'S' : 'W';
    else if (radians > 0.0)
        letter = type == ANGLE_LATITUDE ? 'N' : 'E';
    return CString(letter);
}

// Puts the sign of a signed type in front unless the text already starts with it.
void PrefixSign(CString& text, int type, double radians)
{
    if (!IsSignedType(type))
        return;
    const char sign = radians < 0.0 ? '-' : '+';
    if (text.IsEmpty() || text[0] != sign)
        text.Insert(0, sign);
}

// The text of the notations, given the pieces of the angle. Used for the angle itself and for
// the widest text of the mask, so both always share one layout.
CString LayOut(int type, int format, int decimals, int degreeWidth, int degrees, int minutes, double seconds,
               double decimalMinutes, double decimalValue, double signedValue, const CString& letter)
{
    const int partWidth = decimals == 0 ? 2 : decimals + 3;
    const int decimalWidth = degreeWidth + (decimals > 0 ? decimals + 1 : 0);
    CString text;
    switch (format)
    {
    case ANGLE_FORMAT_DMS:
        text.Format("%0*d\xB0 %02d' %0*.*lf\"%s", degreeWidth, degrees, minutes, partWidth, decimals, seconds,
                    static_cast<LPCSTR>(letter));
        break;
    case ANGLE_FORMAT_DM:
        text.Format("%0*d\xB0 %0*.*lf'%s", degreeWidth, degrees, partWidth, decimals, decimalMinutes,
                    static_cast<LPCSTR>(letter));
        break;
    case ANGLE_FORMAT_DEGREES:
        text.Format("%0*.*lf\xB0%s", decimalWidth, decimals, decimalValue, static_cast<LPCSTR>(letter));
        break;
    case ANGLE_FORMAT_SIGNED:
        // A latitude or longitude keeps its side as the sign: without a letter, an unsigned value
        // would show a southern latitude as a northern one.
        if (IsSignedType(type) || HasQuadrantLetter(type))
            text.Format("%+0*.*lf\xB0", decimalWidth, decimals, signedValue);
        else
            text.Format("%0*.*lf\xB0", decimalWidth, decimals, decimalValue);
        break;
    case ANGLE_FORMAT_GRADIANS:
        text.Format("%0*.*lfg%s", decimalWidth, decimals, decimalValue, static_cast<LPCSTR>(letter));
        break;
    default:
        break;
    }
    return text;
}

void ResolveFormat(int type, int& format, int& decimals, char& letter)
{
    if (format == ANGLE_FORMAT_PREFERENCE)
    {
        char savedLetter = 0;
        GetAngleDisplaySettings(type, format, decimals, savedLetter);
        letter = savedLetter;
    }
    if (decimals < 0 || decimals > 32)
        decimals = GetDefaultDecimals(type, format);
}

void ReadSettings(const char* title, int& format, int& decimals, char* latitudeLetter, char* longitudeLetter)
{
    format = kDefaultFormat;
    decimals = kDefaultDecimals;
    if (latitudeLetter)
        *latitudeLetter = 'N';
    if (longitudeLetter)
        *longitudeLetter = 'E';
    CConfigFile::ReadSettingsFile(title, [&](CConfigFile& file) {
        format = file.ReadInt(kDefaultFormat);
        decimals = file.ReadInt(kDefaultDecimals);
        if (latitudeLetter)
            *latitudeLetter = NormaliseLetter(file.ReadChar('N'), ANGLE_LATITUDE);
        if (longitudeLetter)
            *longitudeLetter = NormaliseLetter(file.ReadChar('E'), ANGLE_LONGITUDE);
    });
    // A hand-edited file must not lead the formatter back to "use the preference".
    if (format < ANGLE_FORMAT_DMS || format > ANGLE_FORMAT_GRADIANS)
        format = kDefaultFormat;
    if (decimals < 0 || decimals > 32)
        decimals = kDefaultDecimals;
}

bool WriteSettings(const char* title, int format, int decimals, const char* latitudeLetter,
                   const char* longitudeLetter)
{
    // The old settings stay whole: the new file replaces them only when closed.
    return CConfigFile::WriteSettingsFile(title, [&](CConfigFile& file) {
        file.WriteInt("Preference", format);
        file.WriteInt("Decimal Places", decimals);
        CString line;
        if (latitudeLetter)
        {
            line.Format("%s = %c\n", "Default Lat Quad", *latitudeLetter);
            file.WriteString(line);
        }
        if (longitudeLetter)
        {
            line.Format("%s = %c\n", "Default Lon Quad", *longitudeLetter);
            file.WriteString(line);
        }
    });
}
} // namespace

void AngleToDms(double radians, int& degrees, int& minutes, double& seconds, int& sign, int decimals)
{
    sign = radians < 0.0 ? -1 : 1;
    const double d = std::fabs(radians) * ANGLE_RAD_TO_DEG;
    const double wholeDegrees = std::floor(d);
    const double m = (d - wholeDegrees) * 60.0;
    const double wholeMinutes = std::floor(m);
    degrees = static_cast<int>(wholeDegrees);
    minutes = static_cast<int>(wholeMinutes);
    seconds = (m - wholeMinutes) * 60.0;
    if (PrintsAtLeast(seconds, decimals, 60.0))
    {
        seconds = 0.0;
        ++minutes;
    }
    if (minutes >= 60)
    {
        minutes = 0;
        ++degrees;
    }
}

int GetDefaultDecimals(int type, int format)
{
    if (type >= 1 && type <= 6)
    {
        if (format == ANGLE_FORMAT_DMS)
            return 5;
        if (format == ANGLE_FORMAT_DM)
            return 7;
        return 9;
    }
    if (type >= 7 && type <= 9)
        return 2;
    return 0;
}

int GetMaxDecimalPlaces(int type, int format)
{
    if (format == ANGLE_FORMAT_PREFERENCE)
    {
        int decimals = 0;
        char letter = 0;
        GetAngleDisplaySettings(type, format, decimals, letter);
    }
    switch (format)
    {
    case ANGLE_FORMAT_DMS:
        return 5;
    case ANGLE_FORMAT_DM:
        return 7;
    case ANGLE_FORMAT_DEGREES:
    case ANGLE_FORMAT_SIGNED:
    case ANGLE_FORMAT_GRADIANS:
        return 9;
    default:
        return 0;
    }
}

CString FormatAngle(double radians, int type, int format, int decimals, char letter)
{
    if (radians == DBL_MAX)
        return CString();
    if (radians == -1.0)
        return CString("n/a");
    ResolveFormat(type, format, decimals, letter);
    if (type == ANGLE_COMPLEMENT)
        radians = kHalfPi - radians;

    int degrees = 0, minutes = 0, sign = 1;
    double seconds = 0.0, decimalMinutes = 0.0;
    const double absDegrees = std::fabs(radians) * ANGLE_RAD_TO_DEG;
    if (format == ANGLE_FORMAT_DMS || format == ANGLE_FORMAT_DM)
    {
        // Decimal minutes are split with no seconds decimals to carry; their own carry follows.
        AngleToDms(radians, degrees, minutes, seconds, sign, format == ANGLE_FORMAT_DMS ? decimals : 32);
        if (format == ANGLE_FORMAT_DM)
        {
            decimalMinutes = minutes + seconds / 60.0;
            if (PrintsAtLeast(decimalMinutes, decimals, 60.0))
            {
                decimalMinutes = 0.0;
                ++degrees;
            }
        }
    }
    const double value =
        format == ANGLE_FORMAT_GRADIANS ? std::fabs(radians) * ANGLE_RAD_TO_GRAD : absDegrees;
    const double signedValue = radians * ANGLE_RAD_TO_DEG;
    CString text = LayOut(type, format, decimals, DegreeWidth(type, format), degrees, minutes, seconds,
                          decimalMinutes, value, signedValue, QuadrantText(type, radians, letter));
    if (format != ANGLE_FORMAT_SIGNED)
        PrefixSign(text, type, radians);
    MoveUnitBeforePoint(text);
    return text;
}

int BuildAngleMask(int type, int format, CString& text, int decimals, CString* limit)
{
    char letter = 0;
    ResolveFormat(type, format, decimals, letter);
    const bool gradians = format == ANGLE_FORMAT_GRADIANS;
    const int largest = LargestDegrees(type, gradians);
    const CString letterText =
        HasQuadrantLetter(type) ? CString(type == ANGLE_LATITUDE ? 'N' : 'E') : CString();

    // The mask has its own degree widths: 2 for the right-angle types (3 in gradians), else 3.
    // Laid out with whole values, then every decimal made a 9: one unit of the last decimal
    // below the next whole number, exact at any number of decimals.
    const int degreeWidth = MaskDegreeWidth(type, format);
    text = LayOut(type, format, decimals, degreeWidth, largest, 59, 59.0, 59.0, largest, largest, letterText);
    const int point = text.Find('.');
    if (point >= 0)
        for (int i = point + 1; i < text.GetLength() && text[i] >= '0' && text[i] <= '9'; ++i)
            text.SetAt(i, '9');
    if (format != ANGLE_FORMAT_SIGNED)
        PrefixSign(text, type, 1.0);
    MoveUnitBeforePoint(text);

    if (limit)
    {
        limit->Format("%0*d", degreeWidth, largest + 1);
        limit->TrimRight('0');
    }
    return text.GetLength();
}

int BuildAngleMask(int type, int format, char* text, int textSize, int decimals, char* limit, int limitSize)
{
    CString maskText, limitText;
    const int length = BuildAngleMask(type, format, maskText, decimals, &limitText);
    if (text && textSize > 0)
        std::snprintf(text, static_cast<size_t>(textSize), "%s", static_cast<LPCSTR>(maskText));
    if (limit && limitSize > 0)
        std::snprintf(limit, static_cast<size_t>(limitSize), "%s", static_cast<LPCSTR>(limitText));
    return length;
}

void LoadAngleSettings(int& format, int& decimals)
{
    ReadSettings(kAngleSettings, format, decimals, nullptr, nullptr);
}

void LoadGeographicalsSettings(int& format, int& decimals, char& latitudeLetter, char& longitudeLetter)
{
    ReadSettings(kGeographicalsSettings, format, decimals, &latitudeLetter, &longitudeLetter);
}

bool SaveAngleSettings(int format, int decimals)
{
    return WriteSettings(kAngleSettings, format, decimals, nullptr, nullptr);
}

bool SaveGeographicalsSettings(int format, int decimals, char latitudeLetter, char longitudeLetter)
{
    const char latitude = NormaliseLetter(latitudeLetter, ANGLE_LATITUDE);
    const char longitude = NormaliseLetter(longitudeLetter, ANGLE_LONGITUDE);
    return WriteSettings(kGeographicalsSettings, format, decimals, &latitude, &longitude);
}

void GetAngleDisplaySettings(int type, int& format, int& decimals, char& letter)
{
    if (HasQuadrantLetter(type))
    {
        char latitude = 'N', longitude = 'E';
        LoadGeographicalsSettings(format, decimals, latitude, longitude);
        letter = type == ANGLE_LATITUDE ? latitude : longitude;
        return;
    }
    LoadAngleSettings(format, decimals);
    letter = 0;
}

bool IsQuadrantLetter(char c)
{
    return std::strchr("NSEWnsew", c) != nullptr && c != '\0';
}

void MoveUnitBeforePoint(CString& text)
{
    const int point = text.Find('.');
    if (point < 0)
        return;
    int end = point + 1;
    while (end < text.GetLength() && text[end] >= '0' && text[end] <= '9')
        ++end;
    if (end >= text.GetLength())
        return;
    const char mark = text[end];
    if (mark != DEGREE_SIGN && mark != '\'' && mark != '"' && mark != 'g')
        return;
    text.Delete(end);
    text.Insert(point, mark);
}
