#pragma once

#include "framework/core/Component.h"

#include <QTimer>

// A component that raises OnTimer every Interval milliseconds while Enabled, on the
// user-interface thread. An exception from the handler goes to the application's
// general error report.
class TTimer : public TComponent {
    Q_OBJECT
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(int Interval READ Interval WRITE SetInterval)
public:
    explicit TTimer(TComponent* AOwner);

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool enabled);
    int Interval() const { return FInterval; }
    void SetInterval(int interval);
    bool IsRunning() const { return FTimer.isActive(); }

    void Loaded() override;
    TNotifyEvent* NotifyEvent(const QString& name) override;

    TNotifyEvent OnTimer;

protected:
    virtual void Timer();

private:
    void UpdateTimer();

    QTimer FTimer;
    bool FEnabled = true;
    int FInterval = 1000;
};
