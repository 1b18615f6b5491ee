// A skinned window for real input under a virtual X display: it reports on stdout what
// the pointer and keyboard made it do, one line each, for xvfb-input.sh to check.
#include "framework/core/Application.h"
#include "framework/forms/Form.h"
#include "skin/frame/SKForm.h"

#include <QWidget>
#include <cstdio>

namespace {

void Report(const QString& line) {
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

TMenuItem* AddItem(TMenuItem* parent, TComponent* owner, const QString& caption) {
    auto* item = new TMenuItem(owner);
    item->SetCaption(caption);
    item->OnClick = [caption](TObject*) { Report(QStringLiteral("clicked %1").arg(caption)); };
    parent->Add(item);
    return item;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    qputenv("QT_FONT_DPI", "96");
    Application->Initialize(argc, argv);
    auto* form = Application->CreateForm<TForm>();
    form->SetBorderStyle(TCustomForm::bsSingle);
    form->SetCaption(QStringLiteral("Skin Demo"));
    form->SetBounds(100, 100, 400, 300);
    auto* skin = new TskForm(form);
    skin->SetParent(form);
    auto* menu = new TskMainMenu(form);
    TMenuItem* file = AddItem(menu->Items(), form, QStringLiteral("&File"));
    AddItem(file, form, QStringLiteral("&Open"))->SetShortCut(scCtrl | 'O');
    AddItem(AddItem(menu->Items(), form, QStringLiteral("&Help")), form, QStringLiteral("&About"));
    skin->SetUIStyle(MacOS);
    skin->TitleBar()->SystemMenu()->OnPopup = [](TObject*) {
        Report(QStringLiteral("system menu"));
    };
    form->OnClose = [](TObject*, TCloseAction&) { Report(QStringLiteral("closed")); };
    form->OnResize = [form](TObject*) {
        Report(QStringLiteral("size %1x%2").arg(form->Width()).arg(form->Height()));
    };
    form->Show();
    form->BringWindowToFront();
    Report(QStringLiteral("ready"));
    return Application->Run();
}
