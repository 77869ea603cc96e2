#include "datewell_designer_plugin.h"

#include <QIcon>
#include <QPixmap>

#include "control/about/datewell_icon.xpm.h"
#include "datewell/qtdatewell.h"

namespace datewell {

QString DesignerPlugin::name() const {
  return QStringLiteral("datewell::QtDatewell");
}

QString DesignerPlugin::group() const {
  return QStringLiteral("Input Widgets");
}

QString DesignerPlugin::toolTip() const {
  return QStringLiteral("Datewell date field");
}

QString DesignerPlugin::whatsThis() const {
  return QStringLiteral("A one-line date field with a drop button and a floating calendar panel.");
}

QString DesignerPlugin::includeFile() const {
  return QStringLiteral("<datewell/qtdatewell.h>");
}

QIcon DesignerPlugin::icon() const {
  return QIcon(QPixmap(kDatewellToolbox));
}

QWidget* DesignerPlugin::createWidget(QWidget* parent) {
  return new QtDatewell(parent);
}

QString DesignerPlugin::domXml() const {
  return QStringLiteral(
      "<ui language=\"c++\" displayname=\"Datewell\">\n"
      " <widget class=\"datewell::QtDatewell\" name=\"datewell\"/>\n"
      " <customwidgets>\n"
      "  <customwidget>\n"
      "   <class>datewell::QtDatewell</class>\n"
      "   <extends>QWidget</extends>\n"
      "   <header location=\"global\">datewell/qtdatewell.h</header>\n"
      "  </customwidget>\n"
      " </customwidgets>\n"
      "</ui>\n");
}

}  // namespace datewell
