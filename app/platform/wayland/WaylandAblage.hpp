#pragma once

#include "app/platform/linux/Ablage.hpp"

#include <functional>
#include <memory>

namespace parlix {

class WaylandVerbindung;

// The clipboard and the primary selection through the compositor's data-control
// protocol (ext-data-control, else wlr-data-control), which, unlike a toolkit's
// clipboard, works for a program without a focused window. Our own content is served by
// the connection's thread. Methods: any thread except the connection's.
class WaylandAblage final : public Ablage {
public:
    explicit WaylandAblage(WaylandVerbindung& verbindung);
    ~WaylandAblage() override;
    WaylandAblage(const WaylandAblage&) = delete;
    WaylandAblage& operator=(const WaylandAblage&) = delete;

    // The compositor offers data-control.
    bool bereit() const { return bereit_; }
    // Which protocol: "ext-data-control" or "wlr-data-control"; null without one.
    const char* protokoll() const { return protokoll_; }

    std::optional<QString> text(Art art) override;
    std::optional<QString> vorherigerText(Art art) override;
    quint64 schreibeEigenen(Art art, const QString& text, std::optional<QString> vorher) override;
    bool haeltEigenen(Art art, quint64 nummer) override;
    int gelesen(quint64 nummer) override;
    bool setze(Art art, const std::optional<QString>& text) override;
    quint64 aenderungen(Art art) override;

    // The protocol objects, on the connection's thread; their listeners reach it.
    struct Zustand;

private:
    // Runs `job` on the connection's thread, where the protocol objects live; nothing
    // without data-control.
    template <class T> std::optional<T> frage(const std::function<T()>& job);

    WaylandVerbindung& verbindung_;
    std::unique_ptr<Zustand> z_;
    const char* protokoll_ = nullptr;
    bool bereit_ = false;
};

} // namespace parlix
