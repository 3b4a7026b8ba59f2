#pragma once

#include <QByteArray>
#include <QString>
#include <array>

// Every text the program stores (card members, settings and layout files) is
// code page 1250, so files stay byte-compatible with those written on Windows.
// The conversion runs through glibc iconv.
//
// The five bytes that code page 1250 leaves undefined (0x81, 0x83, 0x88, 0x90,
// 0x98) decode to the control characters of the same value and encode back to
// those bytes, so that reading and writing a file never changes it.
namespace cp1250 {

QString decode(const QByteArray& bytes);

// Throws AppError naming the characters code page 1250 cannot hold; nothing is
// converted then, so a caller that encodes before writing leaves its file as it was.
QByteArray encode(const QString& text);

// The characters of text that code page 1250 cannot hold, each once, in the order
// of their first appearance; empty when every character fits.
QString unencodable(const QString& text);

// The character each of the 256 bytes decodes to, for readers that turn stored
// bytes into text one byte at a time.
const std::array<char16_t, 256>& byteCharacters();

} // namespace cp1250
