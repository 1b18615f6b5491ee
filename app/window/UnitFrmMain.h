#pragma once
// The main window: the file digest list, the check-file maker and verifier, and the
// About page, built from its stored layout.
#include "framework/controls/ComCtrls.h"
#include "framework/controls/Panel.h"
#include "framework/controls/StdCtrls.h"
#include "framework/dialogs/OpenDialog.h"
#include "framework/forms/Form.h"
#include "skin/controls/SKButton.h"
#include "skin/controls/SKEdit.h"
#include "skin/controls/SKListView.h"
#include "skin/controls/SKPageControl.h"
#include "skin/frame/SKForm.h"

#include <QStringList>
#include <memory>

class TJobRunner;

class TForm1 : public TForm {
    Q_OBJECT
    Q_PROPERTY(TskForm* skForm1 MEMBER skForm1)
    Q_PROPERTY(TskPageControl* PageControl MEMBER PageControl)
    Q_PROPERTY(TskTabSheet* SheetMaker MEMBER SheetMaker)
    Q_PROPERTY(TskTabSheet* SheetVerifier MEMBER SheetVerifier)
    Q_PROPERTY(TLabel* Label1 MEMBER Label1)
    Q_PROPERTY(TskEdit* EdtPath MEMBER EdtPath)
    Q_PROPERTY(TskButton* BtnSelect MEMBER BtnSelect)
    Q_PROPERTY(TMemo* MemoMakeResult MEMBER MemoMakeResult)
    Q_PROPERTY(TskCheckBox* ChkSubFolder MEMBER ChkSubFolder)
    Q_PROPERTY(TskButton* BtnMake MEMBER BtnMake)
    Q_PROPERTY(TLabel* Label2 MEMBER Label2)
    Q_PROPERTY(TskEdit* EdtCheckfilePath MEMBER EdtCheckfilePath)
    Q_PROPERTY(TskButton* BtnSelectCheckfile MEMBER BtnSelectCheckfile)
    Q_PROPERTY(TskButton* BtnVerify MEMBER BtnVerify)
    Q_PROPERTY(TMemo* MemoVerifyResult MEMBER MemoVerifyResult)
    Q_PROPERTY(TskTabSheet* SheetAbout MEMBER SheetAbout)
    Q_PROPERTY(TskButton* BtnHelp MEMBER BtnHelp)
    Q_PROPERTY(TskButton* BtnExit MEMBER BtnExit)
    Q_PROPERTY(TOpenDialog* dlg MEMBER dlg)
    Q_PROPERTY(TLabel* Label6 MEMBER Label6)
    Q_PROPERTY(TLabel* Label7 MEMBER Label7)
    Q_PROPERTY(TLabel* Label8 MEMBER Label8)
    Q_PROPERTY(TLabel* LblWebsite MEMBER LblWebsite)
    Q_PROPERTY(TLabel* LblEmail MEMBER LblEmail)
    Q_PROPERTY(TskTabSheet* SheetFileMD5 MEMBER SheetFileMD5)
    Q_PROPERTY(TskListView* LvwFile MEMBER LvwFile)
    Q_PROPERTY(TskButton* BtnSelectFile MEMBER BtnSelectFile)
    Q_PROPERTY(TOpenDialog* dlg2 MEMBER dlg2)

public:
    // Builds the window from its stored layout; FormCreate runs meanwhile.
    explicit TForm1(TComponent* AOwner);
    ~TForm1() override;

    // Whether a make, a verify or the hashing of the file list is running.
    bool JobRunning() const;
    // Appends a row per file to the file list and hashes them, unless a job is running.
    void AddFilesToList(const QStringList& files);
    // A running job is stopped before the window closes.
    bool CloseQuery() override;

    TskForm* skForm1 = nullptr;
    TskPageControl* PageControl = nullptr;
    TskTabSheet* SheetMaker = nullptr;
    TskTabSheet* SheetVerifier = nullptr;
    TLabel* Label1 = nullptr;
    TskEdit* EdtPath = nullptr;
    TskButton* BtnSelect = nullptr;
    TMemo* MemoMakeResult = nullptr;
    TskCheckBox* ChkSubFolder = nullptr;
    TskButton* BtnMake = nullptr;
    TLabel* Label2 = nullptr;
    TskEdit* EdtCheckfilePath = nullptr;
    TskButton* BtnSelectCheckfile = nullptr;
    TskButton* BtnVerify = nullptr;
    TMemo* MemoVerifyResult = nullptr;
    TskTabSheet* SheetAbout = nullptr;
    TskButton* BtnHelp = nullptr;
    TskButton* BtnExit = nullptr;
    TOpenDialog* dlg = nullptr;
    TLabel* Label6 = nullptr;
    TLabel* Label7 = nullptr;
    TLabel* Label8 = nullptr;
    TLabel* LblWebsite = nullptr;
    TLabel* LblEmail = nullptr;
    TskTabSheet* SheetFileMD5 = nullptr;
    TskListView* LvwFile = nullptr;
    TskButton* BtnSelectFile = nullptr;
    TOpenDialog* dlg2 = nullptr;

    Q_INVOKABLE void FormCreate(TObject* Sender);
    Q_INVOKABLE void BtnSelectClick(TObject* Sender);
    Q_INVOKABLE void BtnSelectCheckfileClick(TObject* Sender);
    Q_INVOKABLE void BtnHelpClick(TObject* Sender);
    Q_INVOKABLE void LblWebsiteClick(TObject* Sender);
    Q_INVOKABLE void LblEmailClick(TObject* Sender);
    Q_INVOKABLE void BtnExitClick(TObject* Sender);
    Q_INVOKABLE void BtnMakeClick(TObject* Sender);
    Q_INVOKABLE void BtnVerifyClick(TObject* Sender);
    Q_INVOKABLE void BtnSelectFileClick(TObject* Sender);

private:
    std::unique_ptr<TJobRunner> FJobs;
};
