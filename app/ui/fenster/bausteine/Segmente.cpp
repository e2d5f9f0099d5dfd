#include "app/ui/fenster/bausteine/Segmente.hpp"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

// Left and right move the choice, as in a radio group.
class Segment final : public QPushButton {
public:
    Segment(const QString& text, QButtonGroup& gruppe)
        : QPushButton(text)
        , gruppe_(gruppe) {
        setCheckable(true);
        setObjectName(u"segment"_s);
    }

protected:
    void keyPressEvent(QKeyEvent* ereignis) override {
        const int schritt = ereignis->key() == Qt::Key_Right  ? 1
                            : ereignis->key() == Qt::Key_Left ? -1
                                                              : 0;
        const int ziel = gruppe_.id(this) + schritt;
        if (schritt != 0 && gruppe_.button(ziel) != nullptr) {
            gruppe_.button(ziel)->setFocus();
            gruppe_.button(ziel)->click();
            return;
        }
        QPushButton::keyPressEvent(ereignis);
    }

private:
    QButtonGroup& gruppe_;
};

} // namespace

Segmente::Segmente(const QStringList& texte, QWidget* eltern)
    : QWidget(eltern)
    , gruppe_(new QButtonGroup(this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (int i = 0; i < texte.size(); ++i) {
        auto* segment = new Segment(texte[i], *gruppe_);
        segment->setProperty("lage", i == 0                  ? u"links"_s
                                     : i == texte.size() - 1 ? u"rechts"_s
                                                             : u"mitte"_s);
        gruppe_->addButton(segment, i);
        layout->addWidget(segment);
    }
    connect(gruppe_, &QButtonGroup::idClicked, this, &Segmente::gewaehltGeaendert);
}

int Segmente::gewaehlt() const {
    return gruppe_->checkedId();
}

void Segmente::waehle(int index) {
    if (auto* knopf = gruppe_->button(index)) {
        knopf->setChecked(true);
    }
}

} // namespace parlix
