#pragma once

#include <QByteArray>

// The layout files the settings dialog writes when it applies the designed
// settings with the window colour 12639424: config.ini (code page 1250, CR LF)
// and font.ini.
namespace settingsfiles {

inline const QByteArray WorkedConfig = "P\xF8"
                                       "edm\xEC"
                                       "t;Hodnota\r\n12639424\r\n1\r\n1\r\n1\r\n1\r\n";
inline const QByteArray DesignedFontFile = "10\r\nMS Sans Serif\r\n-16777208\r\nFFFF\r\n";

} // namespace settingsfiles
