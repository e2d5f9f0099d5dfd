#pragma once

#include <QWidget>

class QLabel;
class QVBoxLayout;

namespace parlix {

// A card of the settings and setup windows: an optional title above a rounded panel that
// holds rows separated by hairlines, and an optional footer text below it. The colours
// follow the palette, so light and dark styles both work.
class Karte final : public QWidget {
    Q_OBJECT

public:
    explicit Karte(const QString& titel = {}, const QString& fuss = {}, QWidget* eltern = nullptr);

    // Adds a row at the end, with a hairline above it unless it is the first.
    void fuegeHinzu(QWidget* zeile);
    // Removes every row (the widgets are deleted).
    void leere();
    void setzeTitel(const QString& titel);
    void setzeFuss(const QString& fuss);

private:
    class Flaeche;

    QLabel* titel_;
    QLabel* fuss_;
    Flaeche* flaeche_;
    QVBoxLayout* zeilen_;
};

} // namespace parlix
