// libFuzzer target: any bytes as the settings file. Loading never crashes and takes
// time in proportion to the input (a time-out unless the command line sets one); the
// values in use are written and read back as the same values with nothing
// refused (so a start from the program's own file never rewrites it), the values taken
// are written back and read again as the same values, and the file text is read back
// by its own writer unchanged.

#include <cstddef>
#include <cstdint>
#include <vector>

#include <QCoreApplication>
#include <QHash>

#include "iglobal.h"
#include "service/isettingstext.h"
#include "service/isettingsvalues.h"

namespace {

// Every value the loader fills.
QString valuesNow()
{
    return QStringList{g_software_langid, g_photo_savepath, g_video_savepath, g_filedialog_path, g_photo_format,
                       g_video_format, g_pencil_color.name(QColor::HexArgb), QString::number(g_pencil_color.isValid()),
                       QString::number(g_pencil_thickness), QString::number(g_pencil_transparent),
                       QString::number(g_erase_size), QString::number(g_camera_resolution.width()),
                       QString::number(g_camera_resolution.height()), QString::number(g_current_focus),
                       QString::number(g_current_exposure), QString::number(g_freecapture_rect.x()),
                       QString::number(g_freecapture_rect.y()), QString::number(g_freecapture_rect.width()),
                       QString::number(g_freecapture_rect.height()), QString::number(g_photo_sound_enable)}
        .join(QChar(0));
}

}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // Qt keeps a reference to its count: one of its own, as the flags below change.
    static int qtArgc = *argc;
    static QCoreApplication app(qtArgc, *argv);
    // Flags are read after this, the last of a name counting: put first, the time-out
    // gives way to one on the command line. The slowest repeated patterns (256 KiB) take
    // under 2 s in this instrumented build on a busy machine, where the quadratic section
    // search took 15 to 30 s; plain inputs near 2 MiB, which mutations reach only after
    // long runs, take up to some 10 s.
    static std::vector<char*> args;
    static char timeout[] = "-timeout=10";
    args.assign(*argv, *argv + *argc);
    args.insert(args.begin() + 1, timeout);
    args.push_back(nullptr);
    *argc = int(args.size()) - 1;
    *argv = args.data();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QByteArray text(reinterpret_cast<const char*>(data), int(size));
    // A first byte 0xff makes the rest a pattern repeated to 256 KiB: mutations grow an
    // input a few bytes at a time and would seldom reach the sizes where a reader slower
    // than linear shows (a quadratic one took seconds at this size even uninstrumented).
    // Only one such input in 64 is blown up, picked by its bytes so that a crash replays:
    // one blown-up run costs as much as some hundred plain ones, and mutations keep the
    // first byte, so once the corpus held many of them the fuzzer ran some 30 inputs a
    // second instead of hundreds.
    const int amplified = 256 * 1024;
    if (size > 1 && data[0] == 0xff && qHash(text) % 64 == 0) {
        const QByteArray pattern = text.mid(1);
        text = pattern.repeated(amplified / pattern.size() + 1).left(amplified);
    }

    // Load, save, reload: the same values, every one of them taken as written.
    const ISettingsText::Entries taken = ISettingsValues::load(text);
    const QString loaded = valuesNow();
    const ISettingsText::Entries inUse = ISettingsValues::current();
    if (ISettingsValues::load(ISettingsText::serialize(inUse)) != inUse)
        __builtin_trap();
    if (ISettingsValues::current() != inUse || valuesNow() != loaded)
        __builtin_trap();
    if (ISettingsValues::load(ISettingsText::serialize(taken)) != taken || valuesNow() != loaded)
        __builtin_trap();

    // The text layer alone: whatever text a key held is written and read back as is.
    ISettingsText::Entries plain;
    const ISettingsText::Entries raw = ISettingsText::parse(text);
    for (auto it = raw.cbegin(); it != raw.cend(); ++it) {
        QString value;
        if (ISettingsText::plainValue(it.value(), &value))
            plain.insert(it.key(), value);
    }
    const ISettingsText::Entries again = ISettingsText::parse(ISettingsText::serialize(plain));
    if (again.keys() != plain.keys())
        __builtin_trap();
    for (auto it = plain.cbegin(); it != plain.cend(); ++it) {
        QString value;
        if (!ISettingsText::plainValue(again.value(it.key()), &value) || value != it.value())
            __builtin_trap();
    }
    return 0;
}
