#include "app/maintenance/Signatur.hpp"

#include <memory>
#include <openssl/evp.h>
#include <openssl/pem.h>

namespace parlix::Signatur {

namespace {

using Schluessel = std::unique_ptr<EVP_PKEY, decltype(&EVP_PKEY_free)>;
using Kontext = std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)>;

const unsigned char* bytes(const QByteArray& daten) {
    return reinterpret_cast<const unsigned char*>(daten.constData());
}

// The Ed25519 key in `pem`, or null. `lies` is PEM_read_bio_PUBKEY or _PrivateKey.
template <class Leser> Schluessel ed25519(const QByteArray& pem, Leser lies) {
    std::unique_ptr<BIO, decltype(&BIO_free)> bio(BIO_new_mem_buf(pem.constData(), pem.size()),
                                                  &BIO_free);
    Schluessel schluessel(bio ? lies(bio.get(), nullptr, nullptr, nullptr) : nullptr,
                          &EVP_PKEY_free);
    if (schluessel && EVP_PKEY_get_base_id(schluessel.get()) != EVP_PKEY_ED25519) {
        schluessel.reset();
    }
    return schluessel;
}

} // namespace

bool pruefe(const QByteArray& daten, const QByteArray& signatur, const QByteArray& oeffentlich) {
    const Schluessel schluessel = ed25519(oeffentlich, &PEM_read_bio_PUBKEY);
    const Kontext kontext(EVP_MD_CTX_new(), &EVP_MD_CTX_free);
    return schluessel && kontext &&
           EVP_DigestVerifyInit(kontext.get(), nullptr, nullptr, nullptr, schluessel.get()) == 1 &&
           EVP_DigestVerify(kontext.get(), bytes(signatur), static_cast<size_t>(signatur.size()),
                            bytes(daten), static_cast<size_t>(daten.size())) == 1;
}

QByteArray signiere(const QByteArray& daten, const QByteArray& privat) {
    const Schluessel schluessel = ed25519(privat, &PEM_read_bio_PrivateKey);
    const Kontext kontext(EVP_MD_CTX_new(), &EVP_MD_CTX_free);
    if (!schluessel || !kontext ||
        EVP_DigestSignInit(kontext.get(), nullptr, nullptr, nullptr, schluessel.get()) != 1) {
        return {};
    }
    size_t laenge = 0;
    if (EVP_DigestSign(kontext.get(), nullptr, &laenge, bytes(daten),
                       static_cast<size_t>(daten.size())) != 1) {
        return {};
    }
    QByteArray signatur(static_cast<qsizetype>(laenge), Qt::Uninitialized);
    if (EVP_DigestSign(kontext.get(), reinterpret_cast<unsigned char*>(signatur.data()), &laenge,
                       bytes(daten), static_cast<size_t>(daten.size())) != 1) {
        return {};
    }
    signatur.resize(static_cast<qsizetype>(laenge));
    return signatur;
}

} // namespace parlix::Signatur
