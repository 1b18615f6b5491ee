// The list view's events a layout may bind by name. OnChange, OnColumnClick, OnInsert and
// OnDeletion are raised; the report view draws, edits and owns its rows itself, so the
// drawing, editing and owner-data events are kept for the layout's sake.
#include "framework/controls/ListView.h"
#include "framework/core/EventSlot.h"

#include <QHash>

std::optional<TComponent::TEventSlot> TCustomListView::EventSlot(const QString& name) {
    using TSlotOf = TEventSlot (*)(TCustomListView & list);
    static const QHash<QString, TSlotOf> eventSlots{
        {QStringLiteral("OnColumnClick"),
         [](TCustomListView& list) { return MakeEventSlot(list.OnColumnClick); }},
        {QStringLiteral("OnColumnRightClick"),
         [](TCustomListView& list) { return MakeEventSlot(list.OnColumnRightClick); }},
        {QStringLiteral("OnCustomDraw"),
         [](TCustomListView& list) { return MakeEventSlot(list.OnCustomDraw); }},
        {QStringLiteral("OnCustomDrawItem"),
         [](TCustomListView& list) { return MakeEventSlot(list.OnCustomDrawItem); }},
        {QStringLiteral("OnCustomDrawSubItem"),
         [](TCustomListView& list) { return MakeEventSlot(list.OnCustomDrawSubItem); }},
        {QStringLiteral("OnAdvancedCustomDraw"),
         [](TCustomListView& list) { return MakeEventSlot(list.OnAdvancedCustomDraw); }},
        {QStringLiteral("OnAdvancedCustomDrawItem"),
         [](TCustomListView& list) { return MakeEventSlot(list.OnAdvancedCustomDrawItem); }},
        {QStringLiteral("OnAdvancedCustomDrawSubItem"),
         [](TCustomListView& list) { return MakeEventSlot(list.OnAdvancedCustomDrawSubItem); }},
        {QStringLiteral("OnChanging"),
         [](TCustomListView& list) { return MakeEventSlot(list.OnChanging); }},
        {QStringLiteral("OnCompare"),
         [](TCustomListView& list) { return MakeEventSlot(list.OnCompare); }},
        {QStringLiteral("OnData"),
         [](TCustomListView& list) { return MakeEventSlot(list.OnData); }},
        {QStringLiteral("OnDataFind"),
         [](TCustomListView& list) { return MakeEventSlot(list.OnDataFind); }},
        {QStringLiteral("OnDataHint"),
         [](TCustomListView& list) { return MakeEventSlot(list.OnDataHint); }},
        {QStringLiteral("OnDataStateChange"),
         [](TCustomListView& list) { return MakeEventSlot(list.OnDataStateChange); }},
        {QStringLiteral("OnDeletion"),
         [](TCustomListView& list) { return MakeEventSlot(list.OnDeletion); }},
        {QStringLiteral("OnDrawItem"),
         [](TCustomListView& list) { return MakeEventSlot(list.OnDrawItem); }},
        {QStringLiteral("OnEdited"),
         [](TCustomListView& list) { return MakeEventSlot(list.OnEdited); }},
        {QStringLiteral("OnEditing"),
         [](TCustomListView& list) { return MakeEventSlot(list.OnEditing); }},
        {QStringLiteral("OnGetImageIndex"),
         [](TCustomListView& list) { return MakeEventSlot(list.OnGetImageIndex); }},
        {QStringLiteral("OnGetSubItemImage"),
         [](TCustomListView& list) { return MakeEventSlot(list.OnGetSubItemImage); }},
        {QStringLiteral("OnInfoTip"),
         [](TCustomListView& list) { return MakeEventSlot(list.OnInfoTip); }},
        {QStringLiteral("OnInsert"),
         [](TCustomListView& list) { return MakeEventSlot(list.OnInsert); }},
        {QStringLiteral("OnSelectItem"),
         [](TCustomListView& list) { return MakeEventSlot(list.OnSelectItem); }},
    };
    if (const TSlotOf slotOf = eventSlots.value(name)) {
        return slotOf(*this);
    }
    return TWinControl::EventSlot(name);
}

TNotifyEvent* TCustomListView::NotifyEvent(const QString& name) {
    if (name == QLatin1String("OnChange")) {
        return &OnChange;
    }
    if (name == QLatin1String("OnColumnDragged")) {
        return &OnColumnDragged;
    }
    return TWinControl::NotifyEvent(name);
}
