#include "app/platform/wayland/ShmPuffer.hpp"

#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

namespace parlix {

namespace {

QImage::Format bildFormat(std::uint32_t format) {
    switch (format) {
    case WL_SHM_FORMAT_ARGB8888:
        return QImage::Format_ARGB32_Premultiplied;
    case WL_SHM_FORMAT_XRGB8888:
        return QImage::Format_RGB32;
    default:
        return QImage::Format_Invalid;
    }
}

} // namespace

std::unique_ptr<ShmPuffer> ShmPuffer::erstelle(wl_shm* shm, QSize groesse, int zeile,
                                               std::uint32_t format) {
    const QImage::Format qFormat = bildFormat(format);
    if (qFormat == QImage::Format_Invalid || groesse.isEmpty() || zeile < groesse.width() * 4) {
        return nullptr;
    }
    std::unique_ptr<ShmPuffer> p(new ShmPuffer);
    p->laenge_ = static_cast<std::size_t>(zeile) * static_cast<std::size_t>(groesse.height());
    const int datei = memfd_create("parlix-puffer", MFD_CLOEXEC);
    if (datei < 0) {
        return nullptr;
    }
    if (ftruncate(datei, static_cast<off_t>(p->laenge_)) == 0) {
        p->speicher_ = mmap(nullptr, p->laenge_, PROT_READ | PROT_WRITE, MAP_SHARED, datei, 0);
    }
    if (p->speicher_ == nullptr || p->speicher_ == MAP_FAILED) {
        p->speicher_ = nullptr;
        close(datei);
        return nullptr;
    }
    wl_shm_pool* pool = wl_shm_create_pool(shm, datei, static_cast<std::int32_t>(p->laenge_));
    p->puffer_ =
        wl_shm_pool_create_buffer(pool, 0, groesse.width(), groesse.height(), zeile, format);
    wl_shm_pool_destroy(pool);
    close(datei);
    static const wl_buffer_listener pufferHoerer{&freigegeben};
    wl_buffer_add_listener(p->puffer_, &pufferHoerer, p.get());
    p->bild_ = QImage(static_cast<uchar*>(p->speicher_), groesse.width(), groesse.height(), zeile,
                      qFormat);
    return p;
}

ShmPuffer::~ShmPuffer() {
    if (puffer_ != nullptr) {
        wl_buffer_destroy(puffer_);
    }
    if (speicher_ != nullptr) {
        munmap(speicher_, laenge_);
    }
}

void ShmPuffer::freigegeben(void* daten, wl_buffer* /*puffer*/) {
    static_cast<ShmPuffer*>(daten)->belegt_ = false;
}

} // namespace parlix
