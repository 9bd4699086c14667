#include "forms/views.h"

#include "forms/artwork.h"
#include "forms/layouts.h"

namespace quill::forms {


Form1View::Form1View(Desktop& d, FormRegistry& r)
    : Form(d, r, form1Design()),
      label1("Label1", kForm1Label1),
      picture1("Picture1", kForm1Picture1, true, d.windows().twipsPerPixelX(), d.windows().twipsPerPixelY()),
      btnLDown("btnLDown", kForm1BtnLDown),
      picture2("Picture2", kForm1Picture2, true, d.windows().twipsPerPixelX(), d.windows().twipsPerPixelY()),
      recLED("RecLED", kForm1RecLED),
      uWaitObj(*this, kWaitTimerIntervalMs, false),
      timer1(*this, kHeartbeatIntervalMs, true) {
    setPicture(silhouettePicture());
    picture1.setPicture(bodyPicture());
    picture2.setPicture(silhouettePicture());
    label1.setCaption("Label1");
    label1.setVisible(false);
    btnLDown.setTransparent(true);
    recLED.setFillStyle(platform::Shape::kSolid);
    recLED.setFillColour(kRed);
    // Tab order; labels and shapes lie under the picture boxes.
    addControl(label1);
    addControl(btnLDown);
    addControl(recLED);
    addControl(picture1);
    addControl(picture2);
}

Form2View::Form2View(Desktop& d, FormRegistry& r)
    : Form(d, r, form2Design()),
      label1("Label1", kForm2Label1),
      picture1("Picture1", kForm2Picture1, true, d.windows().twipsPerPixelX(), d.windows().twipsPerPixelY()),
      picWork1("picWork1", kForm2PicWork1, false, d.windows().twipsPerPixelX(), d.windows().twipsPerPixelY()),
      picWork2("picWork2", kForm2PicWork2, false, d.windows().twipsPerPixelX(), d.windows().twipsPerPixelY()) {
    label1.setCaption("Label1");
    label1.setTransparent(true);
    label1.setVisible(false);
    picture1.setPicture(lampOnPicture());
    picWork1.setPicture(lampOnPicture());
    picWork1.setVisible(false);
    picWork2.setPicture(lampOffPicture());
    picWork2.setVisible(false);
    addControl(label1);
    addControl(picture1);
    addControl(picWork1);
    addControl(picWork2);
}

FrmPointView::FrmPointView(Desktop& d, FormRegistry& r) : Form(d, r, frmPointDesign()) {}

FrmAboutView::FrmAboutView(Desktop& d, FormRegistry& r)
    : Form(d, r, frmAboutDesign()), lblDisclaimer("lblDisclaimer", kAboutDisclaimer),
      label1("Label1", kAboutClose) {
    lblDisclaimer.setCaption("警告: ...");
    lblDisclaimer.setTransparent(true);
    lblDisclaimer.setVisible(false);
    setPicture(aboutPicture());
    label1.setCaption("Close");
    label1.setTransparent(true);
    label1.setStyle({kWhite, true, true, true});  // bold, underlined, centred
    label1.setCursor(platform::CursorShape::Hand);
    lblDisclaimer.setStyle({kWhite});
    addControl(lblDisclaimer);
    addControl(label1);
}

MenuFormView::MenuFormView(Desktop& d, FormRegistry& r)
    : Form(d, r, menuFormDesign()), label1("Label1", {135, 150, 960, 255}), titleText(kTrayTip),
      pMenu{"pMenu", "ﾒﾆｭｰ", {{"EndRTN", "終了", {}}, {"View_Version", "バージョン情報", {}}}} {
    label1.setCaption("タイトル");
    label1.setTransparent(true);
    addControl(label1);
}

}  // namespace quill::forms
