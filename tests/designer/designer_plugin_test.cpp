// The Qt Designer plugin as Designer and QUiLoader meet it: the control in the widget box with
// its picture, and a form that names the control loaded into a real Datewell.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPluginLoader>
#include <QUiLoader>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>
#include <memory>

#include "datewell/qtdatewell.h"

namespace datewell {
namespace {

TEST(DesignerPlugin, QUiLoaderBuildsARealDatewellWithTheFormsProperties) {
  QUiLoader loader;
  loader.clearPluginPaths();
  loader.addPluginPath(QStringLiteral(DATEWELL_DESIGNER_PLUGIN_DIR));
  QFile file(QStringLiteral(DATEWELL_TEST_FORM));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const std::unique_ptr<QWidget> form(loader.load(&file));
  ASSERT_NE(form, nullptr) << loader.errorString().toStdString();
  auto* due = form->findChild<QtDatewell*>(QStringLiteral("dueDate"));
  ASSERT_NE(due, nullptr) << "the form holds no Datewell";
  EXPECT_EQ(due->date(), QDate(2004, 1, 5));
  EXPECT_EQ(due->dateFormat(), 1);
  EXPECT_TRUE(due->allowEmptyDate());
  EXPECT_EQ(due->toolTipText().toStdString(), "When it is due");
}

TEST(DesignerPlugin, OffersTheControlWithItsHeaderAndToolboxPicture) {
  QPluginLoader plugin(QStringLiteral(DATEWELL_DESIGNER_PLUGIN));
  auto* widget = qobject_cast<QDesignerCustomWidgetInterface*>(plugin.instance());
  ASSERT_NE(widget, nullptr) << plugin.errorString().toStdString();
  EXPECT_EQ(widget->name().toStdString(), "datewell::QtDatewell");
  EXPECT_EQ(widget->includeFile().toStdString(), "<datewell/qtdatewell.h>");
  const std::unique_ptr<QWidget> made(widget->createWidget(nullptr));
  EXPECT_NE(qobject_cast<QtDatewell*>(made.get()), nullptr);

  const QImage picture = widget->icon().pixmap(QSize(16, 15)).toImage();
  ASSERT_EQ(picture.size(), QSize(16, 15));
  EXPECT_EQ(picture.pixelColor(0, 0).name().toStdString(), "#808000");  // the olive frame
  EXPECT_EQ(picture.pixelColor(15, 14).name().toStdString(), "#808000");
  int red = 0;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      red += picture.pixelColor(x, y) == QColor(Qt::red) ? 1 : 0;
    }
  }
  EXPECT_EQ(red, 1);  // one day marked
}

}  // namespace
}  // namespace datewell

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
