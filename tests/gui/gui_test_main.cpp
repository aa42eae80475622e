#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

// One QApplication for every GUI test, offscreen unless QT_QPA_PLATFORM says otherwise;
// the settings and runtime folders are the run's own, so no user setting is touched.
int main(int argc, char** argv) {
  // The offscreen platform warns about size hints it cannot pass on; nothing to see.
  static QtMessageHandler default_handler = qInstallMessageHandler(nullptr);
  qInstallMessageHandler(
      [](QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (!text.contains(QStringLiteral("propagateSizeHints")))
          default_handler(type, context, text);
      });
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir scratch;
  if (!scratch.isValid()) return 1;
  qputenv("XDG_CONFIG_HOME", scratch.filePath(QStringLiteral("config")).toLocal8Bit());
  const QString runtime = scratch.filePath(QStringLiteral("runtime"));
  QDir().mkdir(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
