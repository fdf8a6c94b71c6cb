#pragma once

#include <QProcess>

#include <csignal>
#include <sys/prctl.h>

namespace vellumark::test {

// Makes a server or program the test starts end with the test, even when
// the test itself is killed (a time-out) before it can stop them.
inline void EndWithThisProcess(QProcess &process)
{
    process.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
}

} // namespace vellumark::test
