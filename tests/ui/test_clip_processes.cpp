// Two running programs exchange figures and a whole state through the system clipboard. The test
// starts a virtual X display (Xvfb) and two peer processes of its own executable on it, each with
// a real main window on the xcb platform: one copies and keeps serving the clipboard, the other
// pastes and saves what it got, which the test then reads. Without Xvfb (tools/install-deps.sh
// installs it) the test is skipped; the in-process round trip is test_clip_window.
//
// The same by hand: start two copies of zrk, select two figures in the first and press Ctrl+C,
// press Shift+Ins in the second: the two figures arrive with their colours, selected. Click "→Б"
// with Ctrl held in the first, switch the second to play mode and press Ctrl+V: the first's task
// with its moves replaces the second's.

#include <cstdio>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include "../play/recording_reporter.h"
#include "../support/task_text.h"
#include "model/cp1251.h"
#include "model/task_file.h"
#include "play/play_engine.h"
#include "ui/clip_controller.h"
#include "ui/zrk_form.h"

using namespace zrk;

namespace {

// --- the peers ---

// --peer copy DIR TASK figs|state: copies and serves the clipboard until it is killed.
// --peer paste DIR TASK OUT keep|new edit|play: pastes, saves the task to OUT and ends.
int RunPeer(int argc, char** argv) {
  QApplication app(argc, argv);
  const QStringList args = app.arguments().mid(2);
  if (args.size() < 3) return 2;
  const bool copy = args[0] == "copy";
  const TAppPaths paths = TAppPaths::InFolder(args[1], args[1]);
  test::TRecordingReporter reporter;
  TZRKForm form(paths, QStringList{args[2]}, &reporter);
  form.show();
  if (copy) {
    const bool state = args.value(3) == "state";
    if (state) {
      form.SwitchMode(false);
      form.Midend.AddMoves(Utf8ToCp1251("2П"));
    } else {
      for (int i : {1, 3}) form.Task.Figs[size_t(i)].Selected = 1;
      form.Task.SelSummary();
    }
    form.Clips->Copy(state);
    std::printf("ready\n");
    std::fflush(stdout);
    return app.exec();
  }
  if (args.value(5) == "play") form.SwitchMode(false);
  form.Clips->Paste(args.value(4) == "keep");
  for (const auto& m : reporter.Messages) std::fprintf(stderr, "%s: %s\n", m.Caption.c_str(), m.Text.c_str());
  return form.Midend.SaveTask(args[3].toStdString()) && reporter.Messages.empty() ? 0 : 1;
}

} // namespace

class TestClipProcesses : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase();
  void cleanupTestCase();
  void figuresAndAWholeStateTravelBetweenPrograms();

 private:
  QTemporaryDir Dir;
  QProcess Xvfb;
  QString Display;
  QProcessEnvironment Env;

  QString Task(const char* name, const test::TTaskText& rows) {
    TTask task;
    test::BuildTask(task, rows);
    const QString path = Dir.filePath(name);
    SaveTask(task, path.toStdString());
    return path;
  }
  // Starts a copying peer and waits until it holds the clipboard.
  bool StartCopy(QProcess& peer, const QString& task, const char* what) {
    peer.setProcessEnvironment(Env);
    peer.start(QCoreApplication::applicationFilePath(), {"--peer", "copy", Dir.filePath("copy"), task, what});
    if (!peer.waitForStarted(10000)) return false;
    while (!peer.canReadLine())
      if (!peer.waitForReadyRead(30000)) return false;
    return peer.readLine().trimmed() == "ready";
  }
  // Runs a pasting peer to its end; the task it saved.
  bool Paste(const QString& task, const char* colours, const char* mode, const QString& out) {
    QProcess peer;
    peer.setProcessEnvironment(Env);
    peer.start(QCoreApplication::applicationFilePath(), {"--peer", "paste", Dir.filePath("paste"), task, out, colours, mode});
    if (!peer.waitForFinished(60000)) return false;
    const QByteArray errors = peer.readAllStandardError();
    if (peer.exitCode() != 0) qWarning("paste peer: %s", errors.constData());
    return peer.exitStatus() == QProcess::NormalExit && peer.exitCode() == 0;
  }
  static void Stop(QProcess& peer) {
    peer.kill();
    peer.waitForFinished(10000);
  }
};

void TestClipProcesses::initTestCase() {
  QVERIFY(Dir.isValid());
  QDir(Dir.path()).mkpath("copy");
  QDir(Dir.path()).mkpath("paste");
  const QString xvfb = QStandardPaths::findExecutable("Xvfb");
  if (xvfb.isEmpty()) QSKIP("Xvfb is not installed (tools/install-deps.sh installs it)");
  // The server picks a free display itself and writes its number once it accepts connections.
  Xvfb.start(xvfb, {"-displayfd", "1", "-screen", "0", "1280x800x24", "-nolisten", "tcp"});
  if (Xvfb.waitForStarted(5000)) {
    while (!Xvfb.canReadLine() && Xvfb.waitForReadyRead(20000)) {
    }
    const QByteArray number = Xvfb.readLine().trimmed();
    if (!number.isEmpty()) Display = ":" + QString::fromLatin1(number);
  }
  if (Display.isEmpty()) QSKIP("no virtual X display could be started");
  Env = QProcessEnvironment::systemEnvironment();
  Env.insert("DISPLAY", Display);
  Env.insert("QT_QPA_PLATFORM", "xcb");
}

void TestClipProcesses::cleanupTestCase() {
  if (Xvfb.state() == QProcess::NotRunning) return;
  // Terminated, the server removes its socket and lock file.
  Xvfb.terminate();
  if (!Xvfb.waitForFinished(10000)) Stop(Xvfb);
}

void TestClipProcesses::figuresAndAWholeStateTravelBetweenPrograms() {
  const QString from = Task("from.zrk", {{"AB.C", "...."}});
  const QString to = Task("to.zrk", {{"D...", "....", "...."}});
  TTask source;
  QVERIFY(LoadTask(source, from.toStdString()));

  // Two selected figures, their colours kept.
  QProcess copier;
  QVERIFY(StartCopy(copier, from, "figs"));
  const QString figsOut = Dir.filePath("figs_out.zrk");
  QVERIFY(Paste(to, "keep", "edit", figsOut));
  Stop(copier);
  TTask pasted;
  QVERIFY(LoadTask(pasted, figsOut.toStdString()));
  QCOMPARE(pasted.FigCount, 4);
  QCOMPARE(pasted.Figs[2].Color, source.Figs[1].Color);
  QCOMPARE(pasted.Figs[3].Color, source.Figs[3].Color);
  QVERIFY(pasted.Figs[2].Selected && pasted.Figs[3].Selected && !pasted.Figs[1].Selected);

  // The whole state with its move, pasted in play mode.
  QVERIFY(StartCopy(copier, from, "state"));
  const QString stateOut = Dir.filePath("state_out.zrk");
  QVERIFY(Paste(to, "new", "play", stateOut));
  Stop(copier);
  TTask state;
  TPlayEngine engine(state);
  QVERIFY(LoadTask(state, stateOut.toStdString(), TTaskIo{nullptr, &engine, nullptr}));
  QVERIFY(state.Options.Play);
  QCOMPARE(engine.Line.Count, 2);
  QCOMPARE(state.FigCount, source.FigCount);
  QCOMPARE(state.DimX, 4);
  QCOMPARE(state.DimY, 2);
}

int main(int argc, char** argv) {
  if (argc > 1 && std::string(argv[1]) == "--peer") return RunPeer(argc, argv);
  QApplication app(argc, argv);
  TestClipProcesses test;
  return QTest::qExec(&test, argc, argv);
}

#include "test_clip_processes.moc"
