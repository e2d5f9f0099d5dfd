#pragma once

#include <QWidget>
#include <functional>

namespace parlix {

class Konto;
class Texte;

// The account pane: the signed-in address with a sign-out button, or a sign-in button
// that opens the sign-in window; below it the service Parlix uses (BackendKarte).
class KontoSeite final : public QWidget {
    Q_OBJECT

public:
    KontoSeite(Konto& konto, const Texte& texte, std::function<void()> onLogin, QWidget* dienst,
               QWidget* eltern = nullptr);
};

} // namespace parlix
