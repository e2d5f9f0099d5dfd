#pragma once

#include <QString>

namespace parlix {

// `text` as one word for /bin/sh: in single quotes, where the shell takes every character
// literally (spaces, $, `, ", \, newlines); a single quote inside becomes '\''.
QString shellWort(const QString& text);

} // namespace parlix
