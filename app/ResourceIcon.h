#pragma once

#include "ui/Form.h"
#include "ui/ImageList.h"

// The container of the tool bar images, created at start-up and never shown.
// The list windows' tool buttons take their images from ImgList64 by index.
class TfrmResourceIcon : public TForm {
    Q_OBJECT
public:
    explicit TfrmResourceIcon(QWidget* owner = nullptr);

    // Gives the tool buttons of the window (and of the windows it owns) their
    // images, by the button's name: tbtnAdd 0, tbtnEdit 1, tbtnDel 2,
    // tbtnPrint and tbtnReport 3, tbtnClose 4.
    void bindImages(QWidget& window) const;

    TImageList ImgList64;

protected:
    // Windows made before the container get their images now.
    void FormCreate() override;
};

extern TfrmResourceIcon* frmResourceIcon;
