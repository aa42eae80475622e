SELECT [income, annual], [loan amount], [years employed], [missed payments], (([KestriumNet] + 1.0) / 2.0 * (1.0 - 0.0) + 0.0) AS [Kestrium_default],
  IIf([KestriumNet] > 0, 'TRUE', IIf([KestriumNet] <= 0, 'FALSE', Null)) AS [Kestrium_default_Class],
  IIf([KestriumNet] > 0, ([KestriumNet] / 0.93), ([KestriumNet] / 0.88)) AS [Kestrium_default_Strength]
FROM (SELECT [income, annual], [loan amount], [years employed], [missed payments], ((IIf([KestriumHidden1] > 20, 1.0, IIf([KestriumHidden1] < -20, -1.0, (Exp([KestriumHidden1]) - Exp(-[KestriumHidden1])) / (Exp([KestriumHidden1]) + Exp(-[KestriumHidden1]))))) * 0.4812 + (IIf([KestriumHidden2] > 20, 1.0, IIf([KestriumHidden2] < -20, -1.0, (Exp([KestriumHidden2]) - Exp(-[KestriumHidden2])) / (Exp([KestriumHidden2]) + Exp(-[KestriumHidden2]))))) * 0.434 + (IIf([KestriumHidden3] > 20, 1.0, IIf([KestriumHidden3] < -20, -1.0, (Exp([KestriumHidden3]) - Exp(-[KestriumHidden3])) / (Exp([KestriumHidden3]) + Exp(-[KestriumHidden3]))))) * 0.1079 + (-0.3521)) AS [KestriumNet]
FROM (SELECT [income, annual], [loan amount], [years employed], [missed payments],
  ((-0.4329) * [KestriumScaled1] + (-0.0264) * [KestriumScaled2] + (-0.2445) * [KestriumScaled3] + 0.3704 * [KestriumScaled4] + (-0.1286)) AS [KestriumHidden1],
  (0.2205 * [KestriumScaled1] + (-0.5729) * [KestriumScaled2] + 0.3654 * [KestriumScaled3] + (-0.0635) * [KestriumScaled4] + (-0.4239)) AS [KestriumHidden2],
  (0.2417 * [KestriumScaled1] + 0.0904 * [KestriumScaled2] + 0.1426 * [KestriumScaled3] + (-0.6017) * [KestriumScaled4] + (-0.5409)) AS [KestriumHidden3]
FROM (SELECT [income, annual], [loan amount], [years employed], [missed payments],
  ((([income, annual] - 8000.0) / (250000.0 - 8000.0) - 0.5) * 2.0) AS [KestriumScaled1],
  ((([loan amount] - 1000.0) / (500000.0 - 1000.0) - 0.5) * 2.0) AS [KestriumScaled2],
  ((([years employed] - 0.0) / (45.0 - 0.0) - 0.5) * 2.0) AS [KestriumScaled3],
  ((([missed payments] - 0.0) / (12.0 - 0.0) - 0.5) * 2.0) AS [KestriumScaled4]
FROM [TableName]) AS q1) AS q2) AS q3;