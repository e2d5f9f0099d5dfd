#pragma once

#include <QByteArray>
#include <QString>

namespace parlix {

// On-device text recognition (German and English).
class Texterkennung {
public:
    virtual ~Texterkennung() = default;

    // The text found in a PNG image, one line per recognised line; "" when there is
    // none or the image cannot be read. Called on the pipeline thread; may take seconds.
    virtual QString ocr(const QByteArray& png) = 0;
};

} // namespace parlix
