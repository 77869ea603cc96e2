#include "control/about/frm_about.h"

#include "control/about/datewell_icon.xpm.h"

namespace datewell {

const AboutDesign& AboutBoxDesign() {
  // A constant built once; the form holds no state of its own between showings.
  static const AboutDesign design{
      "frmAbout",
      "About Daypane Control",
      5385,
      3270,
      {"cmdOK", 2160, 2700, 1230, 465, 1, "&OK", {}, 0},
      {"Image1", 4620, 240, 480, 480, 0, "", {}, 0},
      {"Label2", 840, 2220, 3750, 240, 2,
       "Copyright \xC2\xA9 2004-2026 Quorvane. All rights reserved.",
       Font{"Arial", 9.75f, false, false, false, false}, kColorWindowText},
      {"Label1", 600, 180, 4065, 1695, 0, "Quorvane Daypane Control",
       Font{"Arial", 24.0f, false, true, false, false}, 0x000000FFu},
  };
  return design;
}

namespace {

void Place(Widget& w, const AboutControlDesign& d) {
  w.SetLeft(d.left);
  w.SetTop(d.top);
  w.SetWidth(d.width);
  w.SetHeight(d.height);
  w.SetTabIndex(d.tab_index);
}

void DesignLabel(Label& label, const AboutControlDesign& d) {
  Place(label, d);
  label.SetCaption(d.caption);
  label.SetAlignment(kAlignCenter);
  label.SetFont(d.font);
  label.SetForeColor(d.fore_color);
}

}  // namespace

frmAbout::frmAbout(Toolkit& toolkit) {
  const AboutDesign& d = AboutBoxDesign();
  form_ = toolkit.CreateForm(d.form_name);
  form_->SetCaption(d.caption);
  form_->SetClientSize(d.client_width, d.client_height);
  const XpmImage icon[] = {kDatewellIcon32, kDatewellIcon16};
  form_->SetIcon(icon);

  cmdOK = toolkit.CreateCommandButton(*form_, d.cmdOK.name);
  Place(*cmdOK, d.cmdOK);
  cmdOK->SetCaption(d.cmdOK.caption);
  cmdOK->SetDefault(true);  // Enter presses it
  cmdOK->SetHandlers({.Click = [this] { cmdOK_Click(); }});

  Image1 = toolkit.CreateImage(*form_, d.Image1.name);
  Place(*Image1, d.Image1);
  Image1->SetPicture(kDatewellIcon32);

  Label2 = toolkit.CreateLabel(*form_, d.Label2.name);
  DesignLabel(*Label2, d.Label2);

  Label1 = toolkit.CreateLabel(*form_, d.Label1.name);
  DesignLabel(*Label1, d.Label1);
}

void frmAbout::Show() {
  form_->ShowModal();
}

void frmAbout::Unload() {
  if (form_->Loaded()) {
    form_->Unload();
  }
}

void frmAbout::cmdOK_Click() {
  Unload();
}

void ShowAboutBox(Toolkit& toolkit) {
  auto about = std::make_unique<frmAbout>(toolkit);
  about->Show();
  about->Unload();
  about.reset();
}

}  // namespace datewell
