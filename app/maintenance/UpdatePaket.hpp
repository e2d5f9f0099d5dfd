#pragma once

#include <QByteArray>
#include <QString>
#include <map>

// A program folder as an update carries it: the manifest of its files and the manifest's
// Ed25519 signature at its top (Manifest::datei, Manifest::signaturDatei).
namespace parlix::UpdatePaket {

// Accepts the folder only when the signature verifies with `oeffentlich` (the vendor's
// key) and the folder holds exactly the files of the manifest with exactly their
// content. Throws UpdateVerworfen otherwise.
void pruefe(const QString& ordner, const QByteArray& oeffentlich);

// The manifest and its signature for the folder as it is (file name -> content), signed
// with `privat`. Throws UpdateVerworfen when the folder cannot be described or the key
// cannot sign.
std::map<QString, QByteArray> signiere(const QString& ordner, const QByteArray& privat);

// The vendor's public key that this build pins (CMake setting PARLIX_UPDATE_SCHLUESSEL).
QByteArray herstellerSchluessel();

} // namespace parlix::UpdatePaket
