-- The ticket office database. The program and zelvora-db both build and check
-- databases from this one script, so a change here is a change everywhere.
--
-- Storage rules the program relies on:
--   * text columns are declared with their size, VARCHAR(n), so the program can
--     read the size and keep entries within it;
--   * date-times are ISO text "YYYY-MM-DD HH:MM:SS"; a time of day alone (the
--     departure time) is stored on the day 1899-12-30;
--   * flags are BOOLEAN holding 0 or 1.

CREATE TABLE tblSotrudnik (
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    fam VARCHAR(30),
    names VARCHAR(30),
    subname VARCHAR(30),
    phones VARCHAR(16),
    addr VARCHAR(255),
    stage INTEGER
);

CREATE TABLE tblRoute (
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    airStart VARCHAR(50),
    airTarget VARCHAR(50),
    price REAL,
    times INTEGER
);

CREATE TABLE tblClients (
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    fam VARCHAR(30),
    names VARCHAR(30),
    subname VARCHAR(30),
    phones VARCHAR(16),
    addr VARCHAR(255),
    passport_seria VARCHAR(4),
    passport_num VARCHAR(6)
);

-- The markup is text on purpose: it is typed in the user's number format and
-- read as a number only when a price is worked out.
CREATE TABLE tblCard (
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    names VARCHAR(25),
    percent VARCHAR(255)
);

CREATE TABLE tblAir (
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    sotrudnik_id INTEGER,
    bortNum VARCHAR(15),
    model VARCHAR(25),
    date_create DATETIME,
    lifetime INTEGER,
    isActive BOOLEAN,
    seats INTEGER
);

CREATE TABLE tblFlight (
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    air_id INTEGER,
    route_id INTEGER,
    dateStart DATETIME,
    timeStart DATETIME,
    isActive BOOLEAN
);

CREATE TABLE tblOrders (
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    flight_id INTEGER,
    clients_id INTEGER,
    card_id INTEGER,
    mesto VARCHAR(5),
    counts INTEGER
);

CREATE INDEX idxAirSotrudnik ON tblAir (sotrudnik_id);
CREATE INDEX idxFlightAir ON tblFlight (air_id);
CREATE INDEX idxFlightRoute ON tblFlight (route_id);
-- Carrying counts in the index lets the seat balance of a flight be summed from
-- the index alone, without visiting the sales themselves.
CREATE INDEX idxOrdersFlight ON tblOrders (flight_id, counts);
CREATE INDEX idxOrdersClients ON tblOrders (clients_id);
CREATE INDEX idxOrdersCard ON tblOrders (card_id);

-- Remaining seats, one row for every flight. The sold tickets add up the sales'
-- counts, so a sale of three tickets takes three seats. A flight without sales
-- keeps all its airliner's seats; a flight whose airliner is gone has none left.
-- The sum is a correlated subquery so that asking for one flight's balance
-- reads only that flight's sales.
CREATE VIEW leavings AS
SELECT
    flight_id,
    air_id,
    dateStart,
    timeStart,
    "tblFlight.isActive",
    airStart,
    airTarget,
    price,
    times,
    bortNum,
    model,
    date_create,
    lifetime,
    "tblAir.isActive",
    seats,
    CAST(sold AS REAL) AS expenditure,
    CAST(COALESCE(seats, 0) - sold AS REAL) AS balance
FROM (
    SELECT
        f.id AS flight_id,
        f.air_id AS air_id,
        f.dateStart AS dateStart,
        f.timeStart AS timeStart,
        f.isActive AS "tblFlight.isActive",
        r.airStart AS airStart,
        r.airTarget AS airTarget,
        r.price AS price,
        r.times AS times,
        a.bortNum AS bortNum,
        a.model AS model,
        a.date_create AS date_create,
        a.lifetime AS lifetime,
        a.isActive AS "tblAir.isActive",
        a.seats AS seats,
        (SELECT COALESCE(SUM(o.counts), 0) FROM tblOrders o WHERE o.flight_id = f.id) AS sold
    FROM tblFlight f
    LEFT JOIN tblRoute r ON r.id = f.route_id
    LEFT JOIN tblAir a ON a.id = f.air_id
) AS flights;
