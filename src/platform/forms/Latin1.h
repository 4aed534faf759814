// Texts of the core are Latin-1 bytes; the widgets show them through these.
#pragma once

#include <QString>

#include <string>

inline QString Latin1(const std::string& text) { return QString::fromLatin1(text.data(), qsizetype(text.size())); }

// The same with control characters and the blank byte 0x7F, which fonts
// draw as nothing, shown as a small box: every byte of an ID stays visible.
inline QString PrintableLatin1(const std::string& text)
{
    QString out = Latin1(text);
    for (QChar& c : out)
        if (c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() < 0xA0)) c = QChar(0x25A1);
    return out;
}
