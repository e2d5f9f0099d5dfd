#pragma once

#include <QString>
#include <memory>
#include <optional>

namespace parlix {

class WaylandVerbindung;

// The clipboard and the primary selection through the compositor's data-control
// protocol, which, unlike a toolkit's clipboard, works for a program without a focused
// window. Our own content is marked x-kde-passwordManagerHint = secret so that
// clipboard managers skip it, and is served by the connection's thread for as long as it
// is the selection. Methods: any thread except the connection's.
class WaylandAblage {
public:
    enum class Art { zwischenablage, primaer };

    explicit WaylandAblage(WaylandVerbindung& verbindung);
    ~WaylandAblage();
    WaylandAblage(const WaylandAblage&) = delete;
    WaylandAblage& operator=(const WaylandAblage&) = delete;

    // The compositor offers data-control.
    bool bereit() const { return bereit_; }

    // The plain text now held; absent when it holds none (empty, or other types only).
    std::optional<QString> text(Art art);
    // text(), but while our own content waits to be undone, the text it replaced.
    std::optional<QString> vorherigerText(Art art);

    // Writes our own content; its number. `vorher` is kept for vorherigerText().
    quint64 schreibeEigenen(Art art, const QString& text, std::optional<QString> vorher);
    // Whether the selection still holds the content with that number.
    bool haeltEigenen(Art art, quint64 nummer);
    // How often an application has read the content with that number.
    int gelesen(quint64 nummer);
    // Puts a plain text (not marked) on the selection, or empties it when absent.
    void setze(Art art, const std::optional<QString>& text);
    // Counts every change of the selection, ours included.
    quint64 aenderungen(Art art);

    // The protocol objects, on the connection's thread; their listeners reach it.
    struct Zustand;

private:
    WaylandVerbindung& verbindung_;
    std::unique_ptr<Zustand> z_;
    bool bereit_ = false;
};

} // namespace parlix
