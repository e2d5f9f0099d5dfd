#pragma once

#include <QByteArrayList>
#include <QString>
#include <optional>

namespace parlix {

// The clipboard and the primary selection as the paste and the copy of a selection use
// them: X11's, the Wayland compositor's data-control protocol, or the RemoteDesktop
// portal's clipboard where the compositor has none (GNOME, Plasma ≥ 6.5). Our own
// content is marked x-kde-passwordManagerHint = secret so that clipboard managers skip
// it, and stays served for as long as it is the selection. Each implementation says on
// which threads its methods may run.
class Ablage {
public:
    enum class Art { zwischenablage, primaer };

    // What a text may come as, best first.
    static inline const QByteArrayList kTextTypen{"text/plain;charset=utf-8", "UTF8_STRING",
                                                  "text/plain", "STRING", "TEXT"};
    static constexpr const char* kPasswortHinweis = "x-kde-passwordManagerHint";

    virtual ~Ablage() = default;

    // The plain text now held; absent when it holds none (empty, other types only, or
    // unreachable).
    virtual std::optional<QString> text(Art art) = 0;
    // text(), but while our own content waits to be undone, the text it replaced.
    virtual std::optional<QString> vorherigerText(Art art) = 0;
    // Writes our own content; its number, 0 when the selection could not be set.
    // `vorher` is kept for vorherigerText().
    virtual quint64 schreibeEigenen(Art art, const QString& text,
                                    std::optional<QString> vorher) = 0;
    // Whether the selection still holds the content with that number.
    virtual bool haeltEigenen(Art art, quint64 nummer) = 0;
    // How often an application has read the content with that number.
    virtual int gelesen(quint64 nummer) = 0;
    // Puts a plain text (not marked) on the selection, or empties it when absent; whether
    // the selection could be set.
    virtual bool setze(Art art, const std::optional<QString>& text) = 0;
    // Counts every change of the selection, ours included.
    virtual quint64 aenderungen(Art art) = 0;
};

} // namespace parlix
