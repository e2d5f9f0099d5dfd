#pragma once

#include <QByteArray>

// Ed25519 signatures (OpenSSL). Keys are PEM texts: "PUBLIC KEY" for checking,
// "PRIVATE KEY" for signing.
namespace parlix::Signatur {

// True only when `signatur` is a valid Ed25519 signature of `daten` by the key
// `oeffentlich`; false for anything else, including a key that is not Ed25519.
bool pruefe(const QByteArray& daten, const QByteArray& signatur, const QByteArray& oeffentlich);

// The 64-byte signature of `daten`; empty when `privat` is not an Ed25519 private key.
QByteArray signiere(const QByteArray& daten, const QByteArray& privat);

} // namespace parlix::Signatur
