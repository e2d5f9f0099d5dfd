#pragma once

#include <QClipboard>
#include <QObject>
#include <QString>
#include <optional>

class QMimeData;

namespace parlix {

// One selection of the desktop (the clipboard or the primary selection) as text
// insertion and selection copying use it: plain text only, our own content marked so
// that clipboard managers skip it. Main thread only. While Parlix runs, Qt keeps serving
// what it wrote (a clipboard manager may take it over).
class Zwischenablage {
public:
    explicit Zwischenablage(QClipboard::Mode modus);

    // The plain text now held; absent when the selection holds no text (empty, or an
    // image only).
    std::optional<QString> text() const;

    // The user's text: text(), but while our own content waits to be undone, the text
    // it replaced.
    std::optional<QString> vorherigerText() const;

    // Writes `text`, marked x-kde-passwordManagerHint = secret, and returns a number for
    // this content. With `vorher`, that text goes back through stelleWiederHer();
    // without, the content stays.
    quint64 schreibeEigenen(const QString& text, std::optional<std::optional<QString>> vorher);

    // Puts back what content `nummer` replaced, but only while the selection still holds
    // that content: what the user (or a later insertion) put there since stays.
    void stelleWiederHer(quint64 nummer);

    // Whether the selection still holds the content schreibeEigenen() wrote last.
    bool haeltEigenen() const;

    // Puts a plain text back, or empties the selection when absent.
    void setze(const std::optional<QString>& text);

    // Counts every change of the selection's owner or content, ours included.
    quint64 aenderungen() const { return aenderungen_; }

private:
    QClipboard::Mode modus_;
    QObject kontext_;
    const QMimeData* eigen_ = nullptr;
    quint64 nummer_ = 0;
    // What our content replaced, when it is to be put back.
    std::optional<std::optional<QString>> vorher_;
    quint64 aenderungen_ = 0;
};

} // namespace parlix
