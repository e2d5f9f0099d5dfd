#pragma once

#include "app/platform/Ueberlagerung.hpp"

#include <QWidget>

namespace parlix {

// Where the compositor offers neither layer-shell nor XWayland (GNOME without X11): the
// overlays are not shown at all. As ordinary windows they would take the focus from the
// user's field when they appear, and the paste would land in them.
class VerborgeneUeberlagerung final : public Ueberlagerung {
public:
    void uebernimm(QWidget& fenster, Platzierung /*platzierung*/) override {
        fenster.setAttribute(Qt::WA_DontShowOnScreen);
    }
};

} // namespace parlix
