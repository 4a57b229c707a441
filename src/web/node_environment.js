// Under node the engine sees the process's environment (SOURCE_DATE_EPOCH
// among it) only when it is handed to Emscripten's ENV before main runs.
Module['preRun'] = Module['preRun'] || [];
Module['preRun'].push(function () {
  Object.assign(ENV, process.env);
});
