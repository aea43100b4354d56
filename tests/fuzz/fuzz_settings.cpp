// libFuzzer target: any bytes as the settings file. Loading never crashes, the values
// taken are written back and read again as the same values, and the file text is
// read back by its own writer unchanged.

#include <cstddef>
#include <cstdint>

#include <QCoreApplication>

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
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray text(reinterpret_cast<const char*>(data), int(size));

    // Load, save, reload: the same values, and the same entries taken.
    const ISettingsText::Entries taken = ISettingsValues::load(text);
    const QString loaded = valuesNow();
    const QByteArray saved = ISettingsText::serialize(ISettingsValues::current());
    ISettingsValues::load(saved);
    if (valuesNow() != loaded)
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
