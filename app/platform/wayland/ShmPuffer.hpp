#pragma once

#include <QImage>
#include <QSize>
#include <atomic>
#include <cstdint>
#include <memory>

struct wl_buffer;
struct wl_shm;

namespace parlix {

// A picture in memory shared with the compositor: a wl_buffer over a memory file. Made
// and destroyed on the connection's thread; its memory may be read and written on any
// thread while the compositor does not hold it.
class ShmPuffer {
public:
    // `groesse` pixels, `zeile` bytes a row, in a wl_shm format QImage knows (ARGB8888,
    // premultiplied as on every Wayland surface, or XRGB8888); null when the format is
    // another or no memory could be had.
    static std::unique_ptr<ShmPuffer> erstelle(wl_shm* shm, QSize groesse, int zeile,
                                               std::uint32_t format);
    ~ShmPuffer();
    ShmPuffer(const ShmPuffer&) = delete;
    ShmPuffer& operator=(const ShmPuffer&) = delete;

    wl_buffer* puffer() const { return puffer_; }
    QSize groesse() const { return bild_.size(); }
    // The shared memory itself, no copy; valid as long as this object.
    QImage& bild() { return bild_; }

    // Whether the compositor holds it: from belege(), when it is attached, until the
    // compositor releases it.
    bool belegt() const { return belegt_; }
    void belege() { belegt_ = true; }

private:
    ShmPuffer() = default;
    static void freigegeben(void* daten, wl_buffer* puffer);

    wl_buffer* puffer_ = nullptr;
    void* speicher_ = nullptr;
    std::size_t laenge_ = 0;
    QImage bild_;
    std::atomic<bool> belegt_{false};
};

} // namespace parlix
