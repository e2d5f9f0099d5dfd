#pragma once

#include <QWidget>

namespace parlix {

class AnmeldeFormular;
class DefaultsStore;
class Konto;
class LoginModel;

// The sign-in window: sign in, register, or reset the password by code. It closes
// itself once the user is signed in.
class LoginFenster final : public QWidget {
    Q_OBJECT

public:
    LoginFenster(LoginModel& model, Konto& konto, DefaultsStore& speicher,
                 QWidget* eltern = nullptr);

    AnmeldeFormular* formular() const { return formular_; }

private:
    AnmeldeFormular* formular_;
};

} // namespace parlix
