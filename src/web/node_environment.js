// Under node the engine sees the process's environment (SOURCE_DATE_EPOCH
// among it) only when it is handed to Emscripten's ENV before main runs.
// Emscripten marks standard input, output and error as terminals whatever
// they are; they are terminals here only when node's are, so that colour
// and the dialogue follow the native program's choices.
Module['preRun'] = Module['preRun'] || [];
Module['preRun'].push(function () {
  Object.assign(ENV, process.env);
  // The standard streams exist once the file system is set up.
  addOnInit(function () {
    var tty = require('tty');
    for (var fd = 0; fd < 3; fd++) {
      if (FS.streams[fd]) FS.streams[fd].tty = tty.isatty(fd);
    }
  });
});
