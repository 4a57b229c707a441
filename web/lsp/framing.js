// The messages on standard input, their headers checked before the
// protocol's reader sees them: a header block that is not "Name: value"
// lines with a Content-Length in digits, or one that never ends, is dropped
// and told; a body larger than the limit is passed over without being kept.
// What goes on is well framed, so one bad message never stalls the next.
import { Transform } from 'node:stream';

const MAX_HEADER_BYTES = 8192;
export const MAX_MESSAGE_BYTES = 64 * 1024 * 1024;
const END = Buffer.from('\r\n\r\n');

function lengthOf(header) {
  let length = null;
  for (const line of header.split('\r\n')) {
    const colon = line.indexOf(':');
    if (colon <= 0) return null;
    const value = line.slice(colon + 1).trim();
    if (line.slice(0, colon).trim().toLowerCase() === 'content-length') {
      if (!/^\d{1,12}$/.test(value)) return null;
      length = Number(value);
    }
  }
  return length;
}

export class Framing extends Transform {
  constructor(report) {
    super();
    this.report = report;
    this.head = Buffer.alloc(0);
    this.remaining = 0; // bytes of the current body still to come
    this.passing = true; // false while a body too large is passed over
  }

  _transform(chunk, _encoding, done) {
    let data = chunk;
    while (data.length) {
      if (this.remaining > 0) {
        const part = data.subarray(0, this.remaining);
        if (this.passing) this.push(part);
        this.remaining -= part.length;
        data = data.subarray(part.length);
        continue;
      }
      this.head = this.head.length ? Buffer.concat([this.head, data]) : data;
      data = Buffer.alloc(0);
      const end = this.head.indexOf(END);
      if (end === -1) {
        if (this.head.length > MAX_HEADER_BYTES) {
          this.report(`a message header of more than ${MAX_HEADER_BYTES} bytes was dropped`);
          this.head = this.head.subarray(this.head.length - 3);
        }
        break;
      }
      const header = this.head.subarray(0, end).toString('latin1');
      data = this.head.subarray(end + END.length);
      this.head = Buffer.alloc(0);
      const length = lengthOf(header);
      if (length === null) {
        this.report(`a message with a malformed header was dropped: ${JSON.stringify(header.slice(0, 80))}`);
        continue;
      }
      this.passing = length <= MAX_MESSAGE_BYTES;
      if (this.passing) this.push(Buffer.from(`Content-Length: ${length}\r\n\r\n`));
      else this.report(`a message of ${length} bytes, more than ${MAX_MESSAGE_BYTES}, was passed over`);
      this.remaining = length;
    }
    done();
  }
}
