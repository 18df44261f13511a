#include "clipexportrun.h"

#include "replaycopy.h"
#include "uitext.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>

#include <atomic>

namespace ostrel {

ClipOutcome RunClipExport(QWidget *parent, std::unique_ptr<ReplayCopy> replay, const ClipRequest &request,
                          const QString &path)
{
    const int total = request.Last - request.First + 1;
    std::atomic<int> done{0};
    std::atomic<bool> cancelled{false};
    ClipOutcome outcome;
    // The worker owns nothing of the window: the copy, the request and the
    // counters outlive it, since this function waits for it to end.
    QThread *worker = QThread::create([&] {
        outcome = ExportClip(*replay, request, path, [&](int positions, int) {
            done = positions;
            return !cancelled;
        });
    });

    QProgressDialog progress(parent);
    progress.setWindowTitle(UiText(IdsExportClip));
    progress.setCancelButtonText(UiText(IdsClipCancel));
    progress.setWindowModality(Qt::WindowModal);
    progress.setRange(0, total);
    progress.setMinimumDuration(0);
    progress.setAutoReset(false);
    progress.setAutoClose(false);
    QObject::connect(&progress, &QProgressDialog::canceled, &progress, [&] { cancelled = true; });

    // The worker's progress is read at a steady pace rather than signalled
    // for each of thousands of positions.
    QElapsedTimer clock;
    clock.start();
    QTimer poll;
    const auto show = [&] {
        const int positions = done;
        const qint64 left = positions > 0 ? clock.elapsed() * (total - positions) / positions / 1000 : 0;
        progress.setValue(positions);
        progress.setLabelText(UiText(IdsClipProgress).arg(positions).arg(total).arg(left));
    };
    QObject::connect(&poll, &QTimer::timeout, &progress, show);
    show();
    poll.start(100);

    QEventLoop loop;
    QObject::connect(worker, &QThread::finished, &loop, &QEventLoop::quit);
    worker->start();
    loop.exec();
    worker->wait();
    delete worker;
    return outcome;
}

} // namespace ostrel
