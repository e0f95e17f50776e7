// pre.js - the page's settings and what it shows of the program's run. Our
// stand-ins read LUMIVEX_ variables; in a browser they come from the page's
// address, named in lower case without the prefix:
// index.html?dialog=start&key_at_frame=300&dump_frames=100
Module.preRun = Module.preRun || [];
Module.preRun.push(function() {
  var query = new URLSearchParams(location.search);
  query.forEach(function(value, name) { ENV['LUMIVEX_' + name.toUpperCase()] = value; });
  // Dumps land in the page's own file system, offered as downloads.
  if (query.has('dump_frames') && !query.has('dump_dir')) ENV['LUMIVEX_DUMP_DIR'] = '/dumps';
});

Module.frames = 0;
Module.onFrame = function() { Module.frames++; };

// Files the run wrote (frame dumps, the trace), as links to save them.
Module.offerDownloads = function() {
  var list = document.getElementById('downloads');
  var paths = [];
  var dir = ENV['LUMIVEX_DUMP_DIR'];
  if (dir && FS.analyzePath(dir).exists)
    FS.readdir(dir).forEach(function(n) { if (n[0] !== '.') paths.push(dir.replace(/\/$/, '') + '/' + n); });
  if (ENV['LUMIVEX_TRACE'] && FS.analyzePath(ENV['LUMIVEX_TRACE']).exists) paths.push(ENV['LUMIVEX_TRACE']);
  list.replaceChildren();
  paths.forEach(function(path) {
    var a = document.createElement('a');
    a.href = URL.createObjectURL(new Blob([FS.readFile(path)]));
    a.download = path.split('/').pop();
    a.textContent = a.download;
    list.appendChild(a);
  });
};

// The program runs as an asynchronous call: it gives the page back to the
// browser whenever it waits, and its return is the end of the show.
Module.noInitialRun = true;
Module.onRuntimeInitialized = function() {
  ccall('main', 'number', ['number', 'number'], [0, 0], {async: true}).then(ended);
};

function ended() {
  Module.ended = true;
  document.getElementById('status').textContent = 'The show has ended. Reload the page to see it again.';
  Module.offerDownloads();
};

Module.onAbort = function(what) {
  document.getElementById('status').textContent = 'The show stopped: ' + what;
};
