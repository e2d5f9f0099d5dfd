#pragma once

#include <QStringList>
#include <QWidget>

class QButtonGroup;

namespace parlix {

// A segmented choice: a row of joined buttons of which exactly one is chosen. Arrow keys
// move the choice; each segment is a checkable button for screen readers.
class Segmente final : public QWidget {
    Q_OBJECT

public:
    explicit Segmente(const QStringList& texte, QWidget* eltern = nullptr);

    int gewaehlt() const;
    void waehle(int index);

signals:
    // Only for a choice of the user.
    void gewaehltGeaendert(int index);

private:
    QButtonGroup* gruppe_;
};

} // namespace parlix
