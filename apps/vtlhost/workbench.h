#pragma once
// The browser workbench: a page on a loopback HTTP server where a person uses the dialogs of the gallery.
//
// The calling thread is the UI thread: run() keeps the framework's main loop going on the real clock, fed by
// a blocking input source. The HTTP server runs on threads of its own and only posts input and tasks to the
// UI thread and reads what the UI thread published: the frame (window tree and PNG) and, beside it, the
// drawing journal and the host's command line, copied when the UI thread has nothing left to do.
//
// The picture is the screen cropped to the windows open (with a margin), at its own pixel size; a new
// picture is published only when its pixels or its crop changed.
//
//   GET  /                 the page
//   GET  /dialogs          the gallery's dialogs by group, with their titles and purposes (JSON)
//   GET  /frame.png        the latest picture; ?frame=N that one while it is kept
//   GET  /frame.json       the view (JSON): picture number and crop, window tree, journal and command line
//                          with the last action's lines apart, files written; ?after=N waits for a newer one
//   GET  /file?path=P      a file of the scratch library, as a download
//   POST /open?name=NAME   opens a dialog      POST /input          a person's input (see workbench_input.h)
//   POST /reset            starts again on a fresh copy of the sample library
//
// Several pages may share one workbench: they see the same view, and input, openings and resets take turns
// (InputTurns, by the X-Workbench-Client header each page sends), each request delivered whole.
#include <memory>
#include <string>

namespace vtlhost {

class Workbench {
public:
    // Takes the dialogs registered in the gallery now.
    Workbench();
    ~Workbench();
    Workbench(const Workbench&) = delete;
    Workbench& operator=(const Workbench&) = delete;

    // The scratch copy the dialogs work on and the library it was copied from: its files written are
    // listed and downloadable, and a reset copies the library over it again. Without it, neither.
    void useLibrary(const std::string& original, const std::string& scratch);

    // Binds the server to 127.0.0.1 on `port` (0: a free port). False with the reason when it cannot.
    bool bind(int port, std::string& error);
    // The port bound (0 before bind).
    int port() const;

    // Serves until stop(): the HTTP server on its own thread, the main loop on this one. A dialog still
    // open at stop() is cancelled as a loop nobody answers.
    void run();
    // Ends run() and every loop waiting in it; may be called from any thread, more than once.
    void stop();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace vtlhost
