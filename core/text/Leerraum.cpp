#include "core/text/Leerraum.hpp"

namespace parlix {

namespace {

bool istBlankOderTab(QChar c) {
    return c == u'\t' || c.category() == QChar::Separator_Space;
}

} // namespace

QString ohneBlanksUndTabs(const QString& text) {
    qsizetype anfang = 0;
    qsizetype ende = text.size();
    while (anfang < ende && istBlankOderTab(text.at(anfang))) {
        ++anfang;
    }
    while (ende > anfang && istBlankOderTab(text.at(ende - 1))) {
        --ende;
    }
    return text.mid(anfang, ende - anfang);
}

} // namespace parlix
