#pragma once
// Runs a long job off the user-interface thread while that thread keeps repainting the
// windows, so a large folder or file never leaves a blank or frozen window behind.
#include <functional>

// Runs job on a worker thread and returns when it has ended, rethrowing what it threw.
// Meanwhile this thread handles paint, expose, timer and posted events but no user input:
// clicks and keys wait until the job is done, so no job starts while another runs. The
// job must not touch widgets.
void RunWhileRepainting(const std::function<void()>& job);
