#include "framework/core/Timer.h"

#include "framework/core/Application.h"

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {
    QObject::connect(&FTimer, &QTimer::timeout, this,
                     [this] { CallReportingExceptions(this, [this] { Timer(); }); });
    UpdateTimer();
}

void TTimer::SetEnabled(bool enabled) {
    if (enabled != FEnabled) {
        FEnabled = enabled;
        UpdateTimer();
    }
}

void TTimer::SetInterval(int interval) {
    if (interval != FInterval) {
        FInterval = interval;
        UpdateTimer();
    }
}

void TTimer::Loaded() {
    TComponent::Loaded();
    UpdateTimer();
}

TNotifyEvent* TTimer::NotifyEvent(const QString& name) {
    return name == QLatin1String("OnTimer") ? &OnTimer : TComponent::NotifyEvent(name);
}

void TTimer::Timer() {
    if (OnTimer) {
        OnTimer(this);
    }
}

void TTimer::UpdateTimer() {
    FTimer.stop();
    if (FEnabled && FInterval > 0 && !IsLoading()) {
        FTimer.start(FInterval);
    }
}
