#include "app/maintenance/ShellWort.hpp"

using namespace Qt::StringLiterals;

namespace parlix {

QString shellWort(const QString& text) {
    QString wort = text;
    wort.replace(u"'"_s, u"'\\''"_s);
    return u"'"_s + wort + u"'"_s;
}

} // namespace parlix
