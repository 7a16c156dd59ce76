#include <cmath>

#include "base/settings.h"
#include "base/inifile.h"
#include "base/numberformat.h"
#include "fuzz/fuzzentry.h"

namespace {

const SettingsDefaults Defaults{QStringLiteral("/home/operator/Pictures"), 0.01, 0.01};

// What the file holds for Simple once it is saved: the whole number, as text, as read again.
double savedSimple(double simple)
{
    return iniFloat(floatToText(std::trunc(simple))).value();
}

}  // namespace

// The settings file as the program meets it at start and when it saves: read, checked as the
// window checks the operator's fields, written back into the same document and read again.
int fuzzSettings(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const IniParse parsed = IniFile::parse(bytes);
    if (!parsed.ok())
        return 0;
    // Reading alone changes nothing: an untouched document gives back every byte.
    const IniBytes untouched = parsed.file.serialize();
    FUZZ_REQUIRE(untouched.ok());
    FUZZ_REQUIRE(untouched.bytes == bytes);

    const Settings read = readSettings(parsed.file, Defaults);
    const ValidatedSettings validated = validateSettings(read, fieldTexts(read));
    if (!validated.ok())
        return 0;  // a name or folder with a line break in it is refused before writing
    IniFile written = parsed.file;
    writeSettings(written, validated.settings);
    const IniBytes saved = written.serialize();
    if (!saved.ok())
        return 0;  // a value the file's Big5 cannot hold is refused, not written

    const IniParse reread = IniFile::parse(saved.bytes);
    FUZZ_REQUIRE(reread.ok());
    // Whether a file is Big5 is told from its bytes: a Big5 file whose only bytes that are not
    // UTF-8 were in a value just rewritten is read as UTF-8 next time, and its other lines may
    // then read differently. Only a file whose encoding stays is held to reading back the same.
    if (reread.file.encoding() != parsed.file.encoding())
        return 0;
    const Settings back = readSettings(reread.file, Defaults);
    Settings expected = validated.settings;
    expected.Brinell.Simple = savedSimple(expected.Brinell.Simple);
    FUZZ_REQUIRE(back == expected);

    // Saving what was read back changes nothing more.
    IniFile again = reread.file;
    writeSettings(again, back);
    const IniBytes resaved = again.serialize();
    FUZZ_REQUIRE(resaved.ok());
    FUZZ_REQUIRE(resaved.bytes == saved.bytes);
    return 0;
}
