// Texts of the core are Latin-1 bytes; the widgets show them through these.
#pragma once

#include <QString>

#include <string>

inline QString Latin1(const std::string& text) { return QString::fromLatin1(text.data(), qsizetype(text.size())); }

inline std::string Latin1Text(const QString& text) { return text.toLatin1().toStdString(); }
