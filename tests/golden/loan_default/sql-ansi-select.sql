-- Kestrium neural network as ANSI SQL (SELECT)
-- Loans that defaulted within two years (TRUE) against those that did not.
-- Output: default
-- 4 inputs, 3 hidden neurons, classifier
-- Data source: loans.csv
-- Data view: 2003 book
-- A NULL input gives a NULL prediction.

SELECT "income, annual", "loan amount", "years employed", "missed payments", (("KestriumNet" + 1.0) / 2.0 * (1.0 - 0.0) + 0.0) AS "Kestrium_default",
  CASE WHEN "KestriumNet" > 0 THEN 'TRUE' WHEN "KestriumNet" <= 0 THEN 'FALSE' END AS "Kestrium_default_Class",
  CASE WHEN "KestriumNet" > 0 THEN ("KestriumNet" / 0.93) ELSE ("KestriumNet" / 0.88) END AS "Kestrium_default_Strength"
FROM (WITH q2 AS (WITH q1 AS (SELECT "income, annual", "loan amount", "years employed", "missed payments",
  ((("income, annual" - 8000.0) / (250000.0 - 8000.0) - 0.5) * 2.0) AS "KestriumScaled1",
  ((("loan amount" - 1000.0) / (500000.0 - 1000.0) - 0.5) * 2.0) AS "KestriumScaled2",
  ((("years employed" - 0.0) / (45.0 - 0.0) - 0.5) * 2.0) AS "KestriumScaled3",
  ((("missed payments" - 0.0) / (12.0 - 0.0) - 0.5) * 2.0) AS "KestriumScaled4"
FROM "TableName")
SELECT "income, annual", "loan amount", "years employed", "missed payments",
  ((-0.4329) * "KestriumScaled1" + (-0.0264) * "KestriumScaled2" + (-0.2445) * "KestriumScaled3" + 0.3704 * "KestriumScaled4" + (-0.1286)) AS "KestriumHidden1",
  (0.2205 * "KestriumScaled1" + (-0.5729) * "KestriumScaled2" + 0.3654 * "KestriumScaled3" + (-0.0635) * "KestriumScaled4" + (-0.4239)) AS "KestriumHidden2",
  (0.2417 * "KestriumScaled1" + 0.0904 * "KestriumScaled2" + 0.1426 * "KestriumScaled3" + (-0.6017) * "KestriumScaled4" + (-0.5409)) AS "KestriumHidden3"
FROM q1)
SELECT "income, annual", "loan amount", "years employed", "missed payments", ((CASE WHEN "KestriumHidden1" > 20 THEN 1.0 WHEN "KestriumHidden1" < -20 THEN -1.0 ELSE (EXP("KestriumHidden1") - EXP(-"KestriumHidden1")) / (EXP("KestriumHidden1") + EXP(-"KestriumHidden1")) END) * 0.4812 + (CASE WHEN "KestriumHidden2" > 20 THEN 1.0 WHEN "KestriumHidden2" < -20 THEN -1.0 ELSE (EXP("KestriumHidden2") - EXP(-"KestriumHidden2")) / (EXP("KestriumHidden2") + EXP(-"KestriumHidden2")) END) * 0.434 + (CASE WHEN "KestriumHidden3" > 20 THEN 1.0 WHEN "KestriumHidden3" < -20 THEN -1.0 ELSE (EXP("KestriumHidden3") - EXP(-"KestriumHidden3")) / (EXP("KestriumHidden3") + EXP(-"KestriumHidden3")) END) * 0.1079 + (-0.3521)) AS "KestriumNet"
FROM q2) AS q3;