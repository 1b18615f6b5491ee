// Choosing a control's look and passing looks on: built-in pictures into bitmaps, the
// file-theme rule, the initial look and the published-property checks.
#include "framework/controls/Control.h"
#include "framework/forms/Form.h"
#include "framework/graphics/Bitmap.h"
#include "skin/core/SKDraw.h"
#include "skin/core/SKMgr.h"
#include "skin/core/SKThemes.h"

#include <QMetaProperty>

namespace {

const char* const SkinnedFormClassName = "TskForm";

TskUIStyle StyleOf(const QObject* skinnedForm) {
    bool ok = false;
    const int value = skinnedForm->property("UIStyle").toInt(&ok);
    if (!ok || value < FromThemeFile || value > BlueGlass) {
        return DeepBlue;
    }
    return TskUIStyle(value);
}

} // namespace

bool IsSkinnedForm(const QObject* object) {
    return object != nullptr &&
           qstrcmp(object->metaObject()->className(), SkinnedFormClassName) == 0;
}

void GetBuiltinThemeBitmap(int style, int element, TBitmap* target, int frameCount,
                           int frameIndex) {
    if (target == nullptr) {
        return;
    }
    const QImage picture = LoadBuiltinThemePicture(style, element);
    if (picture.isNull()) {
        return;
    }
    if (frameCount == 0) {
        target->SetImage(picture);
        return;
    }
    TBitmap whole;
    whole.SetImage(picture);
    CutFrame(&whole, target, frameCount, frameIndex);
}

bool UsingFileTheme(const TskFileTheme* fileTheme, TskUIStyle style, TskUIStyle& effective) {
    effective = style;
    if (style != FromThemeFile) {
        return false;
    }
    if (fileTheme != nullptr && fileTheme->CanUse()) {
        return true;
    }
    effective = DeepBlue;
    return false;
}

TskUIStyle GetFormUIStyle(const TComponent* owner) {
    const auto* form = dynamic_cast<const TCustomForm*>(owner);
    if (form == nullptr) {
        return DeepBlue;
    }
    for (int index = 0; index < form->ControlCount(); ++index) {
        if (IsSkinnedForm(form->Controls(index))) {
            return StyleOf(form->Controls(index));
        }
    }
    // The skinned form component need not be a control; then it is among the form's
    // own components.
    for (int index = 0; index < form->ComponentCount(); ++index) {
        if (IsSkinnedForm(form->Components(index))) {
            return StyleOf(form->Components(index));
        }
    }
    return DeepBlue;
}

void ApplyStyleToChildren(TWinControl* container, TskUIStyle style, TskFileTheme* fileTheme) {
    if (container == nullptr) {
        return;
    }
    for (int index = 0; index < container->ControlCount(); ++index) {
        TControl* child = container->Controls(index);
        if (!HasPublishedProperty(child, QStringLiteral("FileTheme")) ||
            !HasPublishedProperty(child, QStringLiteral("UIStyle"))) {
            continue;
        }
        child->setProperty("FileTheme", QVariant::fromValue(fileTheme));
        child->setProperty("UIStyle", QVariant::fromValue(style));
    }
}

bool HasPublishedProperty(const QObject* component, const QString& name) {
    if (component == nullptr) {
        return false;
    }
    return component->metaObject()->indexOfProperty(name.toLatin1().constData()) >= 0;
}
