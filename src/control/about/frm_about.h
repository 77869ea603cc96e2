#pragma once
// The About box frmAbout: the product title, the maker's copyright line, the control's icon and
// an OK button, shown modally. A fresh form is built for every showing and released after it.

#include <memory>
#include <string>

#include "platform/toolkit.h"
#include "platform/types.h"

namespace datewell {

// The design of one control of the form, lengths in twips.
struct AboutControlDesign {
  std::string name;
  float left = 0;
  float top = 0;
  float width = 0;
  float height = 0;
  int tab_index = 0;
  std::string caption;      // buttons and labels
  Font font;                // labels
  OleColor fore_color = 0;  // labels
};

// The form's design as data: what frmAbout builds.
struct AboutDesign {
  std::string form_name;
  std::string caption;
  float client_width = 0;
  float client_height = 0;
  // In creation order.
  AboutControlDesign cmdOK;
  AboutControlDesign Image1;
  AboutControlDesign Label2;
  AboutControlDesign Label1;
};
const AboutDesign& AboutBoxDesign();

class frmAbout {
 public:
  // Builds the form and its controls through the toolkit; nothing is shown yet.
  explicit frmAbout(Toolkit& toolkit);
  frmAbout(const frmAbout&) = delete;
  frmAbout& operator=(const frmAbout&) = delete;

  // Shows the form modally; returns once it has been unloaded (OK, Enter, or the window's close
  // command).
  void Show();
  // Unloads the form; nothing when it is unloaded already.
  void Unload();

  void cmdOK_Click();

  // The widgets, for hosts and tests that inspect the form.
  Form& form() const { return *form_; }
  CommandButton& OkButton() const { return *cmdOK; }
  ImageBox& Icon() const { return *Image1; }
  Label& CopyrightLabel() const { return *Label2; }
  Label& TitleLabel() const { return *Label1; }

 private:
  // The form is declared first so that its controls are released before it.
  std::unique_ptr<Form> form_;
  std::unique_ptr<CommandButton> cmdOK;
  std::unique_ptr<ImageBox> Image1;
  std::unique_ptr<Label> Label2;
  std::unique_ptr<Label> Label1;
};

// Shows the About box modally, then unloads and releases it; the next call builds a new one.
void ShowAboutBox(Toolkit& toolkit);

}  // namespace datewell
