// The work kept across reloads: the deck's name, its bytes and whether it had
// unsaved changes, in the browser's IndexedDB. A browser that keeps nothing
// (private windows, storage off or full) is said so, and the page works on.
const DATABASE = 'barlist-workbench';
const STORE = 'work';
const KEY = 'deck';

function request(action) {
  return new Promise((resolve, reject) => {
    action.onsuccess = () => resolve(action.result);
    action.onerror = () => reject(action.error);
  });
}

let database = null;
function open() {
  if (!database) {
    if (typeof indexedDB === 'undefined') return Promise.reject(new Error('this browser keeps no data'));
    const opening = indexedDB.open(DATABASE, 1);
    opening.onupgradeneeded = () => opening.result.createObjectStore(STORE);
    database = request(opening);
  }
  return database;
}

async function store(mode, action) {
  const db = await open();
  const transaction = db.transaction(STORE, mode);
  const result = request(action(transaction.objectStore(STORE)));
  await new Promise((resolve, reject) => {
    transaction.oncomplete = resolve;
    transaction.onerror = transaction.onabort = () => reject(transaction.error);
  });
  return result;
}

// {name, bytes, unsaved}, or null when nothing is kept.
export async function loadWork() {
  try {
    const work = await store('readonly', (objects) => objects.get(KEY));
    return work && work.bytes instanceof Uint8Array ? work : null;
  } catch {
    return null;
  }
}

// Keeps `work` ({name, bytes, unsaved}); resolves to null, or to why it was not kept.
export async function keepWork(work) {
  try {
    await store('readwrite', (objects) => objects.put(work, KEY));
    return null;
  } catch (error) {
    return (error && error.message) || 'the browser refused it';
  }
}
