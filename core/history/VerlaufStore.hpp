#pragma once

#include "core/history/VerlaufEintrag.hpp"
#include "core/settings/DefaultsStore.hpp"

#include <QList>
#include <QObject>
#include <optional>

namespace parlix {

// The recent results, newest first, persisted under "verlauf" as one data value: the
// UTF-8 JSON array of the entries. Holds at most 50 after an insertion; a longer stored
// list is loaded whole and trimmed by the next insertion.
//
// A stored value that cannot be read leaves the history empty and is not touched until
// the next save; that save first keeps it under "verlaufBeschaedigt" (or, if that key
// already holds an older one, under a name with the time appended), so a damaged history
// is never silently lost. Main thread only.
class VerlaufStore final : public QObject {
    Q_OBJECT

public:
    static inline const QString schluessel = QStringLiteral("verlauf");
    static inline const QString sicherungsSchluessel = QStringLiteral("verlaufBeschaedigt");
    static constexpr int maximum = 50;

    explicit VerlaufStore(DefaultsStore& speicher, QObject* parent = nullptr);

    const QList<VerlaufEintrag>& eintraege() const { return eintraege_; }

    // Adds the text, trimmed, as the newest entry and saves; a blank text changes nothing.
    void hinzufuegen(const QString& art, const QString& text,
                     const std::optional<QString>& gesagt = std::nullopt);
    // Empties the history and saves the empty list.
    void leeren();

signals:
    void eintraegeGeaendert();

private:
    void lade();
    void sichere();
    void sichereBeschaedigtenWert();

    DefaultsStore& speicher_;
    QList<VerlaufEintrag> eintraege_;
    // The unreadable stored value, until it has been kept under the backup key.
    std::optional<DefaultsStore::Wert> beschaedigt_;
};

} // namespace parlix
