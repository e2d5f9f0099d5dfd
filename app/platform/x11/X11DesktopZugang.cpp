#include "app/platform/x11/X11DesktopZugang.hpp"

// Qt before the X11 headers, whose macros (None, Bool, Status) clash with Qt names.
#include <QString>
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#include <X11/extensions/XTest.h>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <xcb/xcb.h>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

struct Schliesser {
    void operator()(Display* anzeige) const { XCloseDisplay(anzeige); }
    void operator()(xcb_connection_t* verbindung) const { xcb_disconnect(verbindung); }
};

// An xcb reply, freed with free() as xcb wants.
template <class T> using Antwort = std::unique_ptr<T, decltype(&std::free)>;
template <class T> Antwort<T> antwort(T* roh) {
    return Antwort<T>(roh, &std::free);
}

// _NET_ACTIVE_WINDOW of the window manager; the root window when there is none. xcb
// reports errors in the reply, so a window that vanished meanwhile harms nothing.
xcb_window_t aktivesFenster(xcb_connection_t* x, xcb_window_t wurzel) {
    static constexpr char name[] = "_NET_ACTIVE_WINDOW";
    const auto atom =
        antwort(xcb_intern_atom_reply(x, xcb_intern_atom(x, 1, std::strlen(name), name), nullptr));
    if (!atom || atom->atom == XCB_ATOM_NONE) {
        return wurzel;
    }
    const auto wert = antwort(xcb_get_property_reply(
        x, xcb_get_property(x, 0, wurzel, atom->atom, XCB_ATOM_WINDOW, 0, 1), nullptr));
    if (!wert || wert->format != 32 || xcb_get_property_value_length(wert.get()) < 4) {
        return wurzel;
    }
    const xcb_window_t fenster = *static_cast<xcb_window_t*>(xcb_get_property_value(wert.get()));
    return fenster != XCB_WINDOW_NONE ? fenster : wurzel;
}

} // namespace

bool X11DesktopZugang::istWayland() {
    return qEnvironmentVariable("XDG_SESSION_TYPE").compare(u"wayland"_s, Qt::CaseInsensitive) ==
               0 ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

bool X11DesktopZugang::tastenUndEingabe() {
    const std::unique_ptr<Display, Schliesser> anzeige(XOpenDisplay(nullptr));
    if (!anzeige) {
        return false;
    }
    int opcode = 0;
    int ereignis = 0;
    int fehler = 0;
    if (!XQueryExtension(anzeige.get(), "XInputExtension", &opcode, &ereignis, &fehler)) {
        return false;
    }
    int haupt = 2;
    int neben = 1;
    if (XIQueryVersion(anzeige.get(), &haupt, &neben) != Success || haupt < 2 ||
        (haupt == 2 && neben < 1)) {
        return false;
    }
    int testHaupt = 0;
    int testNeben = 0;
    return XTestQueryExtension(anzeige.get(), &ereignis, &fehler, &testHaupt, &testNeben) == True;
}

bool X11DesktopZugang::fensterAufnahme() {
    const std::unique_ptr<xcb_connection_t, Schliesser> x(xcb_connect(nullptr, nullptr));
    if (!x || xcb_connection_has_error(x.get()) != 0) {
        return false;
    }
    const xcb_screen_t* bildschirm = xcb_setup_roots_iterator(xcb_get_setup(x.get())).data;
    if (bildschirm == nullptr) {
        return false;
    }
    const xcb_window_t wurzel = bildschirm->root;
    const auto ort = antwort(xcb_translate_coordinates_reply(
        x.get(), xcb_translate_coordinates(x.get(), aktivesFenster(x.get(), wurzel), wurzel, 0, 0),
        nullptr));
    if (!ort) {
        return false;
    }
    // The screen is read at the window's place rather than through the window itself, as
    // the screenshot of an action does.
    const int16_t px = std::clamp<int16_t>(ort->dst_x, 0, bildschirm->width_in_pixels - 1);
    const int16_t py = std::clamp<int16_t>(ort->dst_y, 0, bildschirm->height_in_pixels - 1);
    const auto bild = antwort(xcb_get_image_reply(
        x.get(), xcb_get_image(x.get(), XCB_IMAGE_FORMAT_Z_PIXMAP, wurzel, px, py, 1, 1, ~0U),
        nullptr));
    return bild != nullptr && xcb_get_image_data_length(bild.get()) > 0;
}

} // namespace parlix
