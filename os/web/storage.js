// The player's files in this site's localStorage, one entry per file ("tilzo/" and its name)
// holding its bytes as a Latin-1 string. The folder itself is in memory (MEMFS): filled when
// mounted, brought up to date when a lock in it is taken (another tab may have saved since),
// and written through when a file is renamed into place, which is how every save ends.
// localStorage rather than IndexedDB: it is synchronous, and every tab sees another's write
// at once, so two tabs keep each other's scores.
mergeInto(LibraryManager.library, {
  $TilzoStorage__deps: ['$FS', '$MEMFS', '$PATH'],
  $TilzoStorage: {
    folder: null,
    files: {}, // names that storage held when last looked at
    held: {}, // path -> the stream holding its lock in this page
    tab: null, // this tab's name on its locks, made when mounted
    key: function(name) {
      return 'tilzo/' + name;
    },
    lockKey: function(name) {
      return 'tilzo-lock/' + name;
    },
    // Brings every file in the folder up to date with storage; one gone from storage goes.
    refresh: function() {
      var names = Object.keys(TilzoStorage.files);
      for (var i = 0; i < localStorage.length; ++i) {
        var key = localStorage.key(i);
        if (key.indexOf(TilzoStorage.key('')) == 0 && key != TilzoStorage.key(''))
          names.push(key.slice(TilzoStorage.key('').length));
      }
      names.forEach(function(name) {
        var path = PATH.join2(TilzoStorage.folder, name);
        var text = localStorage.getItem(TilzoStorage.key(name));
        if (text === null) {
          delete TilzoStorage.files[name];
          try { FS.unlink(path); } catch (e) {}
          return;
        }
        var bytes = new Uint8Array(text.length);
        for (var j = 0; j < text.length; ++j)
          bytes[j] = text.charCodeAt(j);
        FS.writeFile(path, bytes);
        TilzoStorage.files[name] = true;
      });
    },
    store: function(name, bytes) {
      var text = '';
      for (var i = 0; i < bytes.length; i += 8192)
        text += String.fromCharCode.apply(null, new Uint8Array(bytes.subarray(i, i + 8192)));
      try {
        localStorage.setItem(TilzoStorage.key(name), text);
      } catch (e) {
        throw new FS.ErrnoError(e.name == 'QuotaExceededError' ? {{{ cDefine('ENOSPC') }}} : {{{ cDefine('EACCES') }}});
      }
      TilzoStorage.files[name] = true;
    },
    // Another tab's lock counts until it is let go, or for two seconds: a save takes
    // milliseconds, so an older one belongs to a tab that closed mid-save.
    takeShared: function(name) {
      var key = TilzoStorage.lockKey(name);
      var other = (localStorage.getItem(key) || '').split(' ');
      if (other[0] && other[0] != TilzoStorage.tab && Date.now() - Number(other[1]) < 2000)
        return false;
      try { localStorage.setItem(key, TilzoStorage.tab + ' ' + Date.now()); } catch (e) {}
      return true;
    },
    release: function(path) {
      delete TilzoStorage.held[path];
      if (PATH.dirname(path) != TilzoStorage.folder)
        return;
      var key = TilzoStorage.lockKey(PATH.basename(path));
      try {
        if ((localStorage.getItem(key) || '').split(' ')[0] == TilzoStorage.tab)
          localStorage.removeItem(key);
      } catch (e) {} // it lapses by itself
    },
  },

  tilzo_storage_mount__deps: ['$TilzoStorage'],
  tilzo_storage_mount: function(folder, problem, size) {
    folder = UTF8ToString(folder);
    try {
      // Either throws when the browser refuses the page its storage.
      localStorage.setItem(TilzoStorage.key(''), '');
      localStorage.removeItem(TilzoStorage.key(''));
    } catch (e) {
      stringToUTF8('the browser keeps nothing for this page, and the game in progress is not kept either ('
        + e.message + ')', problem, size);
      return -1;
    }
    TilzoStorage.tab = Date.now() + '-' + Math.random();
    FS.mkdir(folder);
    FS.mount({
      mount: function(mount) {
        var root = MEMFS.mount(mount);
        root.node_ops = Object.assign({}, root.node_ops, {
          rename: function(node, dir, name) {
            if (dir === root && FS.isFile(node.mode))
              TilzoStorage.store(name, MEMFS.getFileDataAsTypedArray(node));
            MEMFS.node_ops.rename(node, dir, name);
          },
          unlink: function(parent, name) {
            MEMFS.node_ops.unlink(parent, name);
            TilzoStorage.release(PATH.join2(folder, name));
          },
        });
        return root;
      },
    }, {}, folder);
    TilzoStorage.folder = folder;
    TilzoStorage.refresh();
    return 0;
  },

  tilzo_storage_flock__deps: ['$TilzoStorage'],
  tilzo_storage_flock: function(fd, unlock) {
    var stream = FS.getStream(fd);
    if (!stream)
      return {{{ cDefine('EBADF') }}};
    var path = stream.path;
    if (unlock) {
      if (TilzoStorage.held[path] === stream)
        TilzoStorage.release(path);
      return 0;
    }
    var holder = TilzoStorage.held[path];
    if (holder && holder !== stream && FS.streams[holder.fd] === holder)
      return {{{ cDefine('EWOULDBLOCK') }}};
    var shared = PATH.dirname(path) == TilzoStorage.folder;
    try {
      if (shared && !TilzoStorage.takeShared(PATH.basename(path)))
        return {{{ cDefine('EWOULDBLOCK') }}};
      if (shared)
        TilzoStorage.refresh();
    } catch (e) {
      // Storage withdrawn since the page started.
      return {{{ cDefine('EACCES') }}};
    }
    TilzoStorage.held[path] = stream;
    return 0;
  },
});
