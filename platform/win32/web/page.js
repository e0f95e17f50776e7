// page.js - the page's side of our Win32 and Glide in a browser, linked in
// with --js-library: input gathered from the page for the program to pull,
// the start-up dialog drawn as HTML, and frames put on the canvas.
mergeInto(LibraryManager.library, {
  $lumivexPage__postset: 'lumivexPage.listen();',
  $lumivexPage: {
    events: [],    // [kind, a, b, c], pulled by lumivex_next_event
    shift: false,
    dialog: null,  // the dialog's client area while one is up
    image: null,   // the frame as the canvas takes it, over the program's memory
    context: null,

    // Keys go to the program unless the browser itself needs them (reload,
    // full screen, developer tools); mouse input counts only over the dialog.
    // Alt+Enter is a display setting, taken here before it becomes a key:
    // the browser's own full screen, on and off.
    listen: function() {
      var page = lumivexPage;
      var mods = function(e) { return (e.shiftKey ? 1 : 0) | (e.ctrlKey ? 2 : 0) | (e.altKey ? 4 : 0); };
      var key = function(e, down) {
        page.shift = e.shiftKey;
        if (e.code === 'Enter' && e.altKey) {
          if (down && !e.repeat) page.toggleFullscreen();
          e.preventDefault();
          return;
        }
        var code = lumivexScancode(e.code);
        if (!code || e.code === 'F5' || e.code === 'F11' || e.code === 'F12') return;
        page.events.push([down ? 1 : 2, code, e.repeat ? 1 : 0, mods(e)]);
        e.preventDefault();
      };
      document.addEventListener('keydown', function(e) { key(e, true); });
      document.addEventListener('keyup', function(e) { key(e, false); });
      var mouse = function(kind) {
        return function(e) {
          if (!page.dialog || (kind !== 5 && e.button !== 0)) return;
          // The dialog may be drawn scaled to fit the page (fitDialog).
          var r = page.dialog.getBoundingClientRect(), scale = r.width / page.dialog.offsetWidth;
          var x = Math.floor((e.clientX - r.left) / scale), y = Math.floor((e.clientY - r.top) / scale);
          page.events.push([kind, x, y, 0]);
          e.preventDefault();
        };
      };
      document.addEventListener('mousedown', mouse(3));
      document.addEventListener('mouseup', mouse(4));
      document.addEventListener('mousemove', mouse(5));
      // A phone has no key: a tap on the show is the space bar, pressed and
      // released. Taps on the dialog reach it as the browser's clicks.
      var screen = document.getElementById('screen'), SPACE = lumivexScancode('Space');
      var tap = function(kind) {
        return function(e) {
          if (!page.dialog) page.events.push([kind, SPACE, 0, 0]);
          e.preventDefault();
        };
      };
      screen.addEventListener('touchstart', tap(1), {passive: false});
      screen.addEventListener('touchend', tap(2), {passive: false});
      addEventListener('resize', function() { if (page.dialog) page.fitDialog(); });
    },

    toggleFullscreen: function() {
      var root = document.documentElement;
      if (document.fullscreenElement) document.exitFullscreen();
      else if (root.requestFullscreen) root.requestFullscreen().catch(function() {});
    },

    // The dialog as drawn on a desktop, or smaller where the page is: whole
    // on a phone in either orientation. A touch screen has it fill the
    // page's narrow side, so that its text is read without zooming.
    fitDialog: function() {
      var box = document.getElementById('dialog');
      box.style.transform = '';
      var room = Math.min((innerWidth - 16) / box.offsetWidth, (innerHeight - 16) / box.offsetHeight);
      var most = matchMedia('(pointer: coarse)').matches ? 2 : 1;
      var scale = Math.min(room, most);
      if (scale !== 1) box.style.transform = 'scale(' + scale + ')';
    },
  },

  // The retrace: the program waits for the browser's next animation frame,
  // and the page stays alive meanwhile.
  lumivex_wait_frame__sig: 'v',
  lumivex_wait_frame: function() {
    Asyncify.handleSleep(function(wake) { requestAnimationFrame(function() { wake(); }); });
  },

  lumivex_next_event__deps: ['$lumivexPage'],
  lumivex_next_event: function(out) {
    var e = lumivexPage.events.shift();
    if (!e) return 0;
    for (var i = 0; i < 4; ++i) HEAP32[(out >> 2) + i] = e[i];
    return 1;
  },

  lumivex_shift_held__deps: ['$lumivexPage'],
  lumivex_shift_held: function() {
    return lumivexPage.shift ? 1 : 0;
  },

  // The dialog: a grey box with a caption and a close box over the page,
  // each control a box at its place in the client area. Drawing anew
  // replaces the previous drawing.
  lumivex_dialog_begin__deps: ['$lumivexPage'],
  lumivex_dialog_begin: function(caption, width, height) {
    var page = lumivexPage;
    var box = document.getElementById('dialog');
    box.replaceChildren();
    var bar = document.createElement('div');
    bar.className = 'caption';
    bar.textContent = UTF8ToString(caption);
    var close = document.createElement('span');
    close.className = 'close';
    close.textContent = '\u00d7';
    close.addEventListener('click', function() { page.events.push([6, 0, 0, 0]); });
    bar.appendChild(close);
    var client = document.createElement('div');
    client.className = 'client';
    client.style.width = width + 'px';
    client.style.height = height + 'px';
    box.appendChild(bar);
    box.appendChild(client);
    box.hidden = false;
    page.dialog = client;
    page.fitDialog();
  },

  lumivex_dialog_control__deps: ['$lumivexPage'],
  lumivex_dialog_control: function(kind, x, y, w, h, text, flags) {
    var kinds = ['button', 'group', 'check', 'static', 'combo', 'other'];
    var c = document.createElement('div');
    c.className = 'control ' + kinds[kind] + (flags & 1 ? '' : ' disabled') + (flags & 2 ? ' default' : '') +
                  (flags & 4 ? ' focus' : '') + (flags & 8 ? ' pressed' : '') + (flags & 16 ? ' centred' : '');
    c.style.left = x + 'px';
    c.style.top = y + 'px';
    c.style.width = w + 'px';
    c.style.height = h + 'px';
    var label = document.createElement('span');
    label.textContent = UTF8ToString(text);
    c.appendChild(label);
    lumivexPage.dialog.appendChild(c);
  },

  lumivex_dialog_end__deps: ['$lumivexPage'],
  lumivex_dialog_end: function() {
    var box = document.getElementById('dialog');
    box.hidden = true;
    box.replaceChildren();
    lumivexPage.dialog = null;
  },

  // The canvas shows the 640x480 picture scaled to the page or by a whole
  // factor, its pixels kept square and sharp by the page's style.
  lumivex_canvas_open: function(fullscreen, scale) {
    var canvas = document.getElementById('screen');
    canvas.className = fullscreen ? 'fullscreen' : '';
    canvas.style.width = fullscreen ? '' : 640 * scale + 'px';
    canvas.hidden = false;
  },

  // The frame's bytes are shown from the program's memory as they stand; the
  // picture over them is made again only when that memory has moved (it
  // grew) or the frame's size changed.
  lumivex_present__deps: ['$lumivexPage'],
  lumivex_present: function(rgba, width, height) {
    var page = lumivexPage;
    var image = page.image;
    if (!image || image.data.buffer !== HEAPU8.buffer || image.data.byteOffset !== rgba || image.width !== width ||
        image.height !== height) {
      var canvas = document.getElementById('screen');
      if (canvas.width !== width || canvas.height !== height || !page.context) {
        // Drawn at a higher resolution: the canvas holds every pixel, and its
        // style still scales it to the page.
        canvas.width = width;
        canvas.height = height;
        page.context = canvas.getContext('2d', {alpha: false});
      }
      var bytes = new Uint8ClampedArray(HEAPU8.buffer, rgba, width * height * 4);
      image = page.image = new ImageData(bytes, width, height);
    }
    page.context.putImageData(image, 0, 0);
    if (Module.onFrame) Module.onFrame();
  },

  // The page's code of a key as a USB keyboard usage, which is what our
  // keyboard translation takes; 0 for a key it does not know.
  $lumivexScancode: function(code) {
    var m;
    if ((m = /^Key([A-Z])$/.exec(code))) return 4 + m[1].charCodeAt(0) - 65;
    if ((m = /^Digit([0-9])$/.exec(code))) return m[1] === '0' ? 39 : 30 + m[1].charCodeAt(0) - 49;
    if ((m = /^F([0-9]+)$/.exec(code)) && +m[1] >= 1 && +m[1] <= 12) return 58 + +m[1] - 1;
    if ((m = /^Numpad([1-9])$/.exec(code))) return 89 + m[1].charCodeAt(0) - 49;
    var table = {
      Enter: 40, Escape: 41, Backspace: 42, Tab: 43, Space: 44, Minus: 45, Equal: 46, BracketLeft: 47,
      BracketRight: 48, Backslash: 49, Semicolon: 51, Quote: 52, Backquote: 53, Comma: 54, Period: 55,
      Slash: 56, CapsLock: 57, PrintScreen: 70, ScrollLock: 71, Pause: 72, Insert: 73, Home: 74,
      PageUp: 75, Delete: 76, End: 77, PageDown: 78, ArrowRight: 79, ArrowLeft: 80, ArrowDown: 81,
      ArrowUp: 82, NumLock: 83, NumpadDivide: 84, NumpadMultiply: 85, NumpadSubtract: 86, NumpadAdd: 87,
      NumpadEnter: 88, Numpad0: 98, NumpadDecimal: 99, IntlBackslash: 100, ContextMenu: 101,
      ControlLeft: 224, ShiftLeft: 225, AltLeft: 226, MetaLeft: 227, ControlRight: 228, ShiftRight: 229,
      AltRight: 230, MetaRight: 231,
    };
    return table[code] || 0;
  },
  $lumivexPage__deps: ['$lumivexScancode'],
});
