#pragma once

#include <QWidget>

namespace parlix {

// The tray icon, idle and recording, at the sizes panels use, on a light and on a dark
// panel: shows at a glance that it reads well on both.
class TrayProbe final : public QWidget {
    Q_OBJECT

public:
    TrayProbe();

protected:
    void paintEvent(QPaintEvent* ereignis) override;
};

} // namespace parlix
