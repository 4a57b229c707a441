// Opening a deck (file picker or drag and drop) and saving files: the deck,
// and the reports and exports, byte for byte.

export function download(name, bytes, type = 'application/octet-stream') {
  const url = URL.createObjectURL(new Blob([bytes], { type }));
  const link = document.createElement('a');
  link.href = url;
  link.download = name;
  document.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(url), 10000);
}

const readDeck = async (file) => new Uint8Array(await file.arrayBuffer());

// Calls `open(name, bytes)` for a file chosen with `input` or dropped on `zone`.
export function acceptDecks(input, zone, open) {
  input.addEventListener('change', async () => {
    const [file] = input.files;
    if (file) open(file.name, await readDeck(file));
    input.value = '';
  });
  zone.addEventListener('dragover', (event) => {
    event.preventDefault();
    zone.classList.add('dropping');
  });
  zone.addEventListener('dragleave', () => zone.classList.remove('dropping'));
  zone.addEventListener('drop', async (event) => {
    event.preventDefault();
    zone.classList.remove('dropping');
    const [file] = event.dataTransfer.files;
    if (file) open(file.name, await readDeck(file));
  });
}
